#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/HelpCommand.h"
#include "ui/CommandLine.h"
#include "ui/HelpViewer.h"
#include "ui/QtPlatform.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QtTest>

// The editor as a program of the desktop: command line, drops, recent files,
// the help window where no viewer starts, and the names screen readers hear.
class tst_DesktopIntegration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void programPrintsAndExits_data();
    void programPrintsAndExits();
    void commandLineLoadsAsTheDialog_data();
    void commandLineLoadsAsTheDialog();
    void droppedFile_data();
    void droppedFile();
    void recentFiles();
    void helpFallsBackToOwnWindow_data();
    void helpFallsBackToOwnWindow();
    void viewerThatFailsIsNoticed_data();
    void viewerThatFailsIsNoticed();
    void accessibleNames_data();
    void accessibleNames();
    void everyControlIsNamed();
};

namespace {

// A scripted platform that remembers, in a settings file of the test's own.
class RememberingPlatform : public ScriptedPlatform {
public:
    explicit RememberingPlatform(const QString& file) : m_settings(file, QSettings::IniFormat) {}
    QSettings* settings() override { return &m_settings; }

private:
    QSettings m_settings;
};

QStringList texts(const QList<ScriptedPlatform::Shown>& shown)
{
    QStringList result;
    for (const ScriptedPlatform::Shown& s : shown) {
        result << s.title + u'|' + s.text;
    }
    return result;
}

// The main window, the about window or a Game window, opened.
QWidget* openWindow(MainWindowDriver& d, const QString& which)
{
    if (which == "about") {
        d.window.mnuHelpAbout_Click();
        return d.platform.modals.last().data();
    }
    const QMap<QString, void (frmMain::*)()> openers{{"prices", &frmMain::mnuGamePriceItems_Click},
                                                     {"characters", &frmMain::mnuCharacters_Click},
                                                     {"towns", &frmMain::mnuGameTowns_Click},
                                                     {"items", &frmMain::mnuGameItems_Click}};
    return which == "main" ? static_cast<QWidget*>(&d.window) : d.open(openers.value(which));
}

}  // namespace

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
    QCOMPARE(program.exitCode(), exitCode);
    const QString printed = exitCode == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
    QVERIFY2(output.endsWith('\n') ? printed == output : printed.contains(output), qPrintable(printed));
}

void tst_DesktopIntegration::commandLineLoadsAsTheDialog_data()
{
    QTest::addColumn<qint64>("size");  // -1: no such file
    QTest::addColumn<bool>("answer");  // to the short-file question
    QTest::newRow("whole cartridge") << qint64(262160) << false;
    QTest::newRow("short, loaded anyway") << qint64(20000) << true;
    QTest::newRow("short, declined") << qint64(20000) << false;
    QTest::newRow("missing") << qint64(-1) << false;
}

void tst_DesktopIntegration::commandLineLoadsAsTheDialog()
{
    QFETCH(qint64, size);
    QFETCH(bool, answer);
    QTemporaryDir dir;
    const QString path = dir.filePath("game.nes");
    if (size >= 0) {
        Fixtures::WriteFile(dir, "game.nes", Fixtures::Pattern(size, 7));
    }
    // A relative name becomes the full path the dialog would have given.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const CommandLine commandLine({"orvane-map-editor", "game.nes"});
    QDir::setCurrent(previous);
    QVERIFY(!commandLine.exitCode());
    QCOMPARE(commandLine.file().value_or(QString()), path);

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
    QCOMPARE(texts(byCommandLine.questions), texts(byDialog.questions));
    QCOMPARE(texts(byCommandLine.messages), texts(byDialog.messages));
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
    QTRY_COMPARE(d.window.cartridge().CartridgePath(), loads ? urls[0].toLocalFile() : QString());
    QCOMPARE(d.window.cartridge().image().at(16400), loads ? quint8(d.original[16400]) : 0);
}

void tst_DesktopIntegration::recentFiles()
{
    QTemporaryDir dir;
    const QString settings = dir.filePath("settings.ini");
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths << Fixtures::WriteFile(dir, QStringLiteral("game & %1.nes").arg(i), Fixtures::Pattern(262160, i));
    }
    {
        RememberingPlatform platform(settings);
        frmMain window(platform);
        const QList<QAction*> file = window.findChild<QMenu*>("mnuFile")->actions();
        const QAction* recent = window.findChild<QMenu*>("mnuFileRecent")->menuAction();
        QVERIFY(!recent->isEnabled());
        QCOMPARE(file.indexOf(recent) + 1, file.indexOf(window.findChild<QAction*>("mnuFileSep")));
        for (const QString& path : paths + QStringList{paths[4]}) {
            platform.openAnswers << path;
            window.mnuFileLoad_Click();
        }
        QCOMPARE(window.findChild<QMenu*>("mnuFileRecent")->actions().size(), 8);
    }
    // Another run of the program: newest first, at most eight, no repeats.
    RememberingPlatform platform(settings);
    frmMain window(platform);
    const int order[] = {4, 9, 8, 7, 6, 5, 3, 2};
    const QList<QAction*> entries = window.findChild<QMenu*>("mnuFileRecent")->actions();
    QCOMPARE(entries.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(entries[i]->text(),
                 QStringLiteral("&%1 %2").arg(i + 1).arg(QString(paths[order[i]]).replace("&", "&&")));
    }
    QFile::remove(paths[9]);
    entries[1]->trigger();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages[0].text.contains('"' + paths[9] + '"'));
    QCOMPARE(window.cartridge().CartridgePath(), QString());
    QCOMPARE(window.findChild<QMenu*>("mnuFileRecent")->actions().size(), 7);
    window.findChild<QAction*>("mnuFileRecent_1")->trigger();
    QCOMPARE(window.cartridge().CartridgePath(), paths[8]);
}

void tst_DesktopIntegration::helpFallsBackToOwnWindow_data()
{
    QTest::addColumn<QString>("helpFolder");  // the executable lies in "bin"
    QTest::newRow("beside the executable") << "bin";
    QTest::newRow("installed") << "share/orvane-map-editor";
}

void tst_DesktopIntegration::helpFallsBackToOwnWindow()
{
    QFETCH(QString, helpFolder);
    MainWindowDriver d;
    QVERIFY(QDir(d.dir.path()).mkpath(helpFolder) && QDir(d.dir.path()).mkpath("bin"));
    const QByteArray text = "Help text\nwith \"quotes\" and a second line\n";
    const QString help = Fixtures::WriteFile(d.dir, helpFolder + '/' + HelpCommand::HelpFileName, text);
    d.window.setHelpFolder(d.dir.filePath("bin"));
    d.platform.startSucceeds = false;
    for (int twice = 0; twice < 2; ++twice) {
        d.window.findChild<QAction*>("mnuHelpHelp")->trigger();
    }
    QCOMPARE(QDir::cleanPath(d.platform.started.value(0).second.value(0)), help);
    QCOMPARE(d.platform.messages.size(), 0);
    const QList<HelpViewer*> viewers = d.window.findChildren<HelpViewer*>();
    QCOMPARE(viewers.size(), 1);
    QVERIFY(viewers[0]->isVisible());
    QCOMPARE(viewers[0]->text(), QString::fromUtf8(text));
}

void tst_DesktopIntegration::viewerThatFailsIsNoticed_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("failed");
    QTest::newRow("opens") << "true" << false;
    QTest::newRow("finds no viewer") << "false" << true;
    QTest::newRow("not installed") << "no-such-opener-here" << true;
}

void tst_DesktopIntegration::viewerThatFailsIsNoticed()
{
    QFETCH(QString, opener);
    QFETCH(bool, failed);
    QtPlatform platform;
    bool noticed = false;
    platform.openDocument(opener, {"help.txt"}, [&noticed] { noticed = true; });
    QTRY_VERIFY(qApp->findChildren<QProcess*>().isEmpty());
    QCOMPARE(noticed, failed);
}

void tst_DesktopIntegration::accessibleNames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const char* rows[][3] = {
        {"main", "picMap", "Overworld map"},
        {"main", "lblLon", "Sextant row"},
        {"prices", "txtItem_0", "Price of Torch"},
        {"characters", "txtHP_5", "Paladin hit points"},
        {"characters", "cboEquip2_7", "Sepherd equipment 2"},
        {"characters", "optChara_6", "Ranger"},
        {"towns", "cmdLocation_11", "New location for Dravel"},
        {"items", "lblBlock_5", "Balloon(transport) block"},
        {"about", "txtAbout", "Credits and contacts"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[1]) << row[0] << row[1] << row[2];
    }
}

void tst_DesktopIntegration::accessibleNames()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    QWidget* widget = openWindow(d, window)->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    // Linux announces a drop-down list by its choice and its label; its name is its own.
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    const bool list = face->role() == QAccessible::ComboBox;
    QCOMPARE(list ? widget->accessibleName() : face->text(QAccessible::Name), name);
    if (control.startsWith("opt")) {
        // The class buttons are option buttons, and say whether they are chosen.
        QCOMPARE(face->role(), QAccessible::RadioButton);
        QVERIFY(face->state().checkable && !face->state().checked);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(face->state().checked);
    }
}

void tst_DesktopIntegration::everyControlIsNamed()
{
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    for (const QString which : {"main", "prices", "characters", "towns", "items", "about"}) {
        QWidget* window = openWindow(d, which);
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            const bool control = face->state().focusable || face->role() == QAccessible::ScrollBar ||
                                 widget->objectName().startsWith("pic") || widget->objectName().startsWith("lbl");
            if (control && widget->isVisibleTo(window) && !widget->inherits("QMenu")) {
                QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(which + ": " + widget->objectName()));
            }
        }
        if (window != &d.window) {
            window->close();
            MainWindowDriver::deleteClosed();
        }
    }
}

QTEST_MAIN(tst_DesktopIntegration)
#include "tst_DesktopIntegration.moc"
