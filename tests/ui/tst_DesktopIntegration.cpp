#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/HelpCommand.h"
#include "ui/CommandLine.h"
#include "ui/HelpViewer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>
#include <QtTest>

// The editor as a program of the desktop: command line, drops, recent files,
// the help window where no viewer starts, and the names screen readers hear.
class tst_DesktopIntegration : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void programPrintsAndExits_data();
    void programPrintsAndExits();
    void commandLineFileLoadsAsTheDialogsWould_data();
    void commandLineFileLoadsAsTheDialogsWould();
    void droppedFile_data();
    void droppedFile();
    void recentFiles();
    void helpFallsBackToOwnWindow_data();
    void helpFallsBackToOwnWindow();
    void accessibleNames_data();
    void accessibleNames();
    void everyControlIsNamed();
    void classButtonsAreOptionButtons();
};

namespace
{

// A scripted platform that also remembers, in a settings file of the test's own.
class RememberingPlatform : public ScriptedPlatform
{
  public:
    explicit RememberingPlatform(const QString& file) : m_settings(file, QSettings::IniFormat) {}
    QSettings* settings() override { return &m_settings; }

  private:
    QSettings m_settings;
};

QStringList recentEntries(const frmMain& window)
{
    QStringList texts;
    for (const QAction* action : window.findChild<QMenu*>(QStringLiteral("mnuFileRecent"))->actions()) {
        texts << action->text();
    }
    return texts;
}

} // namespace

void tst_DesktopIntegration::programPrintsAndExits_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "Orvane II Map Editor 1.0\n";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "[options] [file]";
    QTest::newRow("two files") << QStringList{"a.nes", "b.nes"} << 1 << "Only one file can be loaded";
}

void tst_DesktopIntegration::programPrintsAndExits()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QProcess program;
    program.start(QStringLiteral(ORVANE_EDITOR), arguments);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString printed =
        QString::fromLocal8Bit(exitCode == 0 ? program.readAllStandardOutput() : program.readAllStandardError());
    QVERIFY2(exitCode == 0 && arguments[0] == "--version" ? printed == output : printed.contains(output),
             qPrintable(printed));
}

void tst_DesktopIntegration::commandLineFileLoadsAsTheDialogsWould_data()
{
    QTest::addColumn<qint64>("size"); // -1: no such file
    QTest::addColumn<bool>("answer"); // to the short-file question
    QTest::newRow("whole cartridge") << qint64(262160) << false;
    QTest::newRow("short, loaded anyway") << qint64(20000) << true;
    QTest::newRow("short, declined") << qint64(20000) << false;
    QTest::newRow("missing") << qint64(-1) << false;
}

void tst_DesktopIntegration::commandLineFileLoadsAsTheDialogsWould()
{
    QFETCH(qint64, size);
    QFETCH(bool, answer);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.nes"));
    if (size >= 0) {
        Fixtures::WriteFile(dir, QStringLiteral("game.nes"), Fixtures::Pattern(size, 7));
    }
    // A relative name becomes the full path the dialog would have given.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const CommandLine commandLine({QStringLiteral("orvane-map-editor"), QStringLiteral("game.nes")});
    QDir::setCurrent(previous);
    QCOMPARE(commandLine.exitCode(), std::nullopt);
    QCOMPARE(commandLine.file(), std::optional<QString>(path));

    ScriptedPlatform byDialog;
    ScriptedPlatform byCommandLine;
    frmMain dialogWindow(byDialog);
    frmMain startWindow(byCommandLine);
    byDialog.openAnswers << path;
    byDialog.questionAnswers << answer;
    byCommandLine.questionAnswers << answer;
    dialogWindow.mnuFileLoad_Click();
    startWindow.LoadRom(*commandLine.file());

    const bool loads = size == 262160 || (size >= 0 && answer);
    QCOMPARE(startWindow.cartridge().CartridgePath(), loads ? path : QString());
    QCOMPARE(startWindow.cartridge().image().bytes(), dialogWindow.cartridge().image().bytes());
    QCOMPARE(byCommandLine.questions.size(), byDialog.questions.size());
    QCOMPARE(byCommandLine.messages.size(), byDialog.messages.size());
    for (qsizetype i = 0; i < byDialog.messages.size(); ++i) {
        QCOMPARE(byCommandLine.messages[i].text, byDialog.messages[i].text);
    }
    if (!byDialog.questions.isEmpty()) {
        QCOMPARE(byCommandLine.questions[0].text, byDialog.questions[0].text);
    }
}

void tst_DesktopIntegration::droppedFile_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("loads");
    QTest::newRow(".nes") << QStringList{"drop.nes"} << true;
    QTest::newRow(".NES") << QStringList{"DROP.NES"} << true;
    QTest::newRow("another kind") << QStringList{"drop.txt"} << false;
    QTest::newRow("two cartridges") << QStringList{"a.nes", "b.nes"} << false;
}

void tst_DesktopIntegration::droppedFile()
{
    QFETCH(QStringList, names);
    QFETCH(bool, loads);
    MainWindowDriver d;
    QList<QUrl> urls;
    for (const QString& name : names) {
        urls << QUrl::fromLocalFile(Fixtures::WriteFile(d.dir, name, d.original));
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&d.window, &enter);
    QCOMPARE(enter.isAccepted(), loads);
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&d.window, &drop);
    const QString expected = loads ? urls[0].toLocalFile() : QString();
    QTRY_COMPARE(d.window.cartridge().CartridgePath(), expected);
    if (loads) {
        QCOMPARE(d.window.cartridge().image().at(16400), static_cast<quint8>(d.original[16400]));
    }
}

void tst_DesktopIntegration::recentFiles()
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("settings.ini"));
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths << Fixtures::WriteFile(dir, QStringLiteral("game & %1.nes").arg(i), Fixtures::Pattern(262160, i));
    }
    {
        RememberingPlatform platform(settings);
        frmMain window(platform);
        QMenu* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
        const QList<QAction*> entries = file->actions();
        const QAction* recent = window.findChild<QMenu*>(QStringLiteral("mnuFileRecent"))->menuAction();
        QVERIFY(!recent->isEnabled());
        // Last before the separator above "&Quit".
        QCOMPARE(entries.indexOf(recent) + 1, entries.indexOf(window.findChild<QAction*>("mnuFileSep")));
        for (const QString& path : paths + QStringList{paths[4]}) {
            platform.openAnswers << path;
            window.mnuFileLoad_Click();
        }
    }
    RememberingPlatform platform(settings);
    frmMain window(platform);
    const QStringList expected{paths[4], paths[9], paths[8], paths[7], paths[6], paths[5], paths[3], paths[2]};
    QStringList shown;
    for (int i = 0; i < expected.size(); ++i) {
        shown << QStringLiteral("&%1 %2").arg(i + 1).arg(QString(expected[i]).replace("&", "&&"));
    }
    QCOMPARE(recentEntries(window), shown);

    QFile::remove(paths[9]);
    window.findChild<QAction*>(QStringLiteral("mnuFileRecent_1"))->trigger();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages[0].text.contains('"' + paths[9] + '"'));
    QCOMPARE(window.cartridge().CartridgePath(), QString());
    QCOMPARE(recentEntries(window).size(), 7);
    window.findChild<QAction*>(QStringLiteral("mnuFileRecent_1"))->trigger();
    QCOMPARE(window.cartridge().CartridgePath(), paths[8]);
}

void tst_DesktopIntegration::helpFallsBackToOwnWindow_data()
{
    QTest::addColumn<QString>("helpFolder"); // relative to the executable's folder "bin"
    QTest::newRow("beside the executable") << "bin";
    QTest::newRow("installed") << "share/orvane-map-editor";
}

void tst_DesktopIntegration::helpFallsBackToOwnWindow()
{
    QFETCH(QString, helpFolder);
    MainWindowDriver d;
    QVERIFY(QDir(d.dir.path()).mkpath(helpFolder) && QDir(d.dir.path()).mkpath("bin"));
    const QString help = d.dir.filePath(helpFolder + '/' + QString::fromLatin1(HelpCommand::HelpFileName));
    const QByteArray text = "Help text\nwith \"quotes\" and a second line\n";
    QFile file(help);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    d.window.setHelpFolder(d.dir.filePath("bin"));
    d.platform.startSucceeds = false;
    d.window.findChild<QAction*>(QStringLiteral("mnuHelpHelp"))->trigger();

    QCOMPARE(d.platform.started.size(), 1);
    QCOMPARE(QDir::cleanPath(d.platform.started[0].second.value(0)), help);
    QCOMPARE(d.platform.messages.size(), 0);
    auto* viewer = d.window.findChild<HelpViewer*>();
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), HelpViewer::Title());
    QCOMPARE(viewer->text(), QString::fromUtf8(text));
    QVERIFY(viewer->findChild<QPlainTextEdit*>()->isReadOnly());
    d.window.findChild<QAction*>(QStringLiteral("mnuHelpHelp"))->trigger();
    QCOMPARE(d.window.findChildren<HelpViewer*>().size(), 1);
}

namespace
{

// The window a test looks at: the main window, the about window or a Game window.
QWidget* openWindow(MainWindowDriver& d, const QString& which)
{
    if (which == "main") {
        return &d.window;
    }
    if (which == "about") {
        d.window.mnuHelpAbout_Click();
        return d.platform.modals.last().data();
    }
    const QMap<QString, void (frmMain::*)()> openers{
        {"prices", &frmMain::mnuGamePriceItems_Click},
        {"characters", &frmMain::mnuCharacters_Click},
        {"towns", &frmMain::mnuGameTowns_Click},
        {"items", &frmMain::mnuGameItems_Click},
    };
    return d.open(openers.value(which));
}

// What a screen reader announces. A drop-down list is announced on Linux by
// its choice and the label related to it, so there the name is the widget's own.
QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face || face->role() == QAccessible::ComboBox) {
        return widget->accessibleName();
    }
    return face->text(QAccessible::Name);
}

} // namespace

void tst_DesktopIntegration::accessibleNames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("map") << "main"
                         << "picMap"
                         << "Overworld map";
    QTest::newRow("palette") << "main"
                             << "picTileset"
                             << "Tile palette";
    QTest::newRow("sextant row") << "main"
                                 << "lblLon"
                                 << "Sextant row";
    QTest::newRow("first price") << "prices"
                                 << "txtItem_0"
                                 << "Price of Torch";
    QTest::newRow("last herb price") << "prices"
                                     << "txtHerbs_5"
                                     << "Price of Pearl";
    QTest::newRow("level") << "characters"
                           << "txtLevel_0"
                           << "Mage level";
    QTest::newRow("hit points") << "characters"
                                << "txtHP_5"
                                << "Paladin hit points";
    QTest::newRow("equipment") << "characters"
                               << "cboEquip2_7"
                               << "Sepherd equipment 2";
    QTest::newRow("herb") << "characters"
                          << "txtHerbs_7"
                          << "Starting Manroot";
    QTest::newRow("class button") << "characters"
                                  << "optChara_6"
                                  << "Ranger";
    QTest::newRow("town") << "towns"
                          << "lblSextant_2"
                          << "Duskel location";
    QTest::newRow("town pick") << "towns"
                               << "cmdLocation_11"
                               << "New location for Dravel";
    QTest::newRow("balloon") << "items"
                             << "lblBlock_5"
                             << "Balloon(transport) block";
    QTest::newRow("credits") << "about"
                             << "txtAbout"
                             << "Credits and contacts";
}

void tst_DesktopIntegration::accessibleNames()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    QWidget* shown = openWindow(d, window);
    QVERIFY(shown);
    QWidget* widget = shown->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(accessibleName(widget), name);
}

void tst_DesktopIntegration::everyControlIsNamed()
{
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    for (const QString which : {"main", "prices", "characters", "towns", "items", "about"}) {
        QWidget* window = openWindow(d, which);
        QVERIFY(window);
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            const bool control = face && (face->state().focusable || widget->objectName().startsWith("pic") ||
                                          widget->objectName().startsWith("lbl"));
            if (control && widget->isVisibleTo(window) && !widget->inherits("QMenu")) {
                QVERIFY2(!face->text(QAccessible::Name).isEmpty(),
                         qPrintable(which + ": " + widget->metaObject()->className() + " " + widget->objectName()));
            }
        }
        if (window != &d.window) {
            window->close();
            MainWindowDriver::deleteClosed();
        }
    }
}

void tst_DesktopIntegration::classButtonsAreOptionButtons()
{
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    QWidget* window = openWindow(d, "characters");
    QVERIFY(window);
    auto* bard = window->findChild<QAbstractButton*>(QStringLiteral("optChara_1"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(bard);
    QCOMPARE(face->role(), QAccessible::RadioButton);
    QVERIFY(face->state().checkable && !face->state().checked);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(face->state().checked);
    QVERIFY(window->findChild<QWidget*>(QStringLiteral("frmChara_1"))->isVisible());
}

QTEST_MAIN(tst_DesktopIntegration)
#include "tst_DesktopIntegration.moc"
