#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/ProgramInfo.h"
#include "editor/HelpCommand.h"
#include "editor/CommandLine.h"
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
    void commandLineNamesFullPath();
    void droppedFile_data();
    void droppedFile();
    void recentFiles();
    void help_data();
    void help();
    void viewerThatFailsIsNoticed_data();
    void viewerThatFailsIsNoticed();
    void accessibleNames();
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

// The main window, the about window or a Game window, opened.
QWidget* openWindow(MainWindowDriver& d, const QString& which)
{
    const QMap<QString, const char*> entries{{"about", "mnuHelpAbout"},
                                             {"prices", "mnuGamePriceItems"},
                                             {"characters", "mnuCharacters"},
                                             {"towns", "mnuGameTowns"},
                                             {"items", "mnuGameItems"}};
    return which == "main" ? static_cast<QWidget*>(&d.window) : d.open(entries.value(which));
}

}  // namespace

// A relative name becomes the full path the open dialog would have given;
// the program then loads it with LoadRom, as the dialog does.
void tst_DesktopIntegration::commandLineNamesFullPath()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const CommandLine commandLine({"orvane-map-editor", "game.nes"});
    QDir::setCurrent(previous);
    QVERIFY(!commandLine.exitCode());
    QCOMPARE(commandLine.file().value_or(QString()), dir.filePath("game.nes"));
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
    QTRY_COMPARE(d.session.cartridge().CartridgePath(), loads ? urls[0].toLocalFile() : QString());
    QCOMPARE(d.session.image().at(FileLayout::ImageStart), loads ? quint8(d.original[FileLayout::ImageStart]) : 0);
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
        EditorSession session(platform);
        ScriptedModals modals;
        frmMain window(session, modals);
        const QList<QAction*> file = window.findChild<QMenu*>("mnuFile")->actions();
        const QAction* recent = window.findChild<QMenu*>("mnuFileRecent")->menuAction();
        QVERIFY(!recent->isEnabled());
        QCOMPARE(file.indexOf(recent) + 1, file.indexOf(window.findChild<QAction*>("mnuFileSep")));
        for (const QString& path : paths + QStringList{paths[4]}) {
            platform.openAnswers << path;
            window.findChild<QAction*>("mnuFileLoad")->trigger();
        }
        QCOMPARE(window.findChild<QMenu*>("mnuFileRecent")->actions().size(), 8);
    }
    // Another run of the program: newest first, at most eight, no repeats.
    RememberingPlatform platform(settings);
    EditorSession session(platform);
    ScriptedModals modals;
    frmMain window(session, modals);
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
    QCOMPARE(session.cartridge().CartridgePath(), QString());
    QCOMPARE(window.findChild<QMenu*>("mnuFileRecent")->actions().size(), 7);
    window.findChild<QAction*>("mnuFileRecent_1")->trigger();
    QCOMPARE(session.cartridge().CartridgePath(), paths[8]);
}

void tst_DesktopIntegration::help_data()
{
    QTest::addColumn<QString>("helpFolder");  // where the help file lies ("": nowhere); the executable lies in "bin"
    QTest::addColumn<bool>("viewerStarts");
    QTest::newRow("viewer starts") << "" << true;
    QTest::newRow("no viewer, no file") << "" << false;
    QTest::newRow("no viewer, file beside the executable") << "bin" << false;
    QTest::newRow("no viewer, file installed") << "share/orvane-map-editor" << false;
}

// The viewer gets the help file's path as one argument; where no viewer starts
// the program shows the text in one window of its own, or a message naming the file.
void tst_DesktopIntegration::help()
{
    QFETCH(QString, helpFolder);
    QFETCH(bool, viewerStarts);
    MainWindowDriver d;
    const QDir root(d.dir.filePath("My \"Editor\" Folder"));
    QVERIFY(root.mkpath("bin"));
    const QString help = root.filePath((helpFolder.isEmpty() ? "bin" : helpFolder) + '/' + ProgramInfo::HelpFileName);
    const QByteArray text = "Help text\nwith \"quotes\" and a second line\n";
    if (!helpFolder.isEmpty()) {
        QVERIFY(root.mkpath(helpFolder));
        Fixtures::WriteFile(d.dir, QDir(d.dir.path()).relativeFilePath(help), text);
    }
    d.session.setHelpFolder(root.filePath("bin"));
    d.platform.startSucceeds = viewerStarts;
    for (int twice = 0; twice < 2; ++twice) {
        d.window.findChild<QAction*>("mnuHelpHelp")->trigger();
    }
    QCOMPARE(d.platform.started.value(0).second, QStringList{help});
    const QList<HelpViewer*> viewers = d.window.findChildren<HelpViewer*>();
    QCOMPARE(viewers.size(), viewerStarts || helpFolder.isEmpty() ? 0 : 1);
    QCOMPARE(d.platform.messages.size(), viewerStarts || !viewers.isEmpty() ? 0 : 2);
    if (!viewers.isEmpty()) {
        QVERIFY(viewers[0]->isVisible());
        QCOMPARE(viewers[0]->text(), QString::fromUtf8(text));
    } else if (!viewerStarts) {
        QVERIFY(d.platform.messages[0].text.contains('"' + help + '"'));
    }
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

// Every control of the main window, the Game windows and the about window
// has a name a screen reader announces; these have the given ones. A value
// label is read as a labelled field: its value as its name, what it is as
// its description ("name|description" below).
void tst_DesktopIntegration::accessibleNames()
{
    QMap<QString, QString> expected{
        {"main/picMap", "Overworld map"},
        {"main/lblLon", "005|Sextant row"},
        {"main/lblTile", "00|Current tile number"},
        {"prices/txtItem_0", "Price of Torch"},
        {"characters/txtHP_5", "Paladin hit points"},
        {"characters/cboEquip2_7", "Sepherd equipment 2"},
        {"characters/optChara_6", "Ranger"},
        {"towns/cmdLocation_11", "New location for Dravel"},
        {"items/lblBlock_5", "%1|Balloon(transport) block"},
        {"towns/lblSextant_0", "%2|Ferrow location"},
        {"about/txtAbout", "Credits and contacts"},
    };
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    d.move(QPointF(16 * 3 + 2, 16 * 5 + 2));  // the readouts name cell (3, 5)
    const auto byte = [&d](qint64 at) { return quint8(d.original[at]); };
    expected["items/lblBlock_5"] = expected["items/lblBlock_5"].arg(byte(0x355EA) / 32 + 1);
    expected["towns/lblSextant_0"] = expected["towns/lblSextant_0"].arg(
        QStringLiteral("(%1, %2)").arg(byte(0x3EABE), 3, 10, QChar(u'0')).arg(byte(0x3EABD), 3, 10, QChar(u'0')));
    for (const QString which : {"main", "prices", "characters", "towns", "items", "about"}) {
        QWidget* window = openWindow(d, which);
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            // Linux announces a drop-down list by its choice and its label; its name is its own.
            const bool list = face->role() == QAccessible::ComboBox;
            const QString description = face->text(QAccessible::Description);
            const QString name = (list ? widget->accessibleName() : face->text(QAccessible::Name)) +
                                 (description.isEmpty() ? QString() : u'|' + description);
            const QString key = which + '/' + widget->objectName();
            if (expected.contains(key)) {
                QCOMPARE(name, expected.take(key));
            }
            const bool control = face->state().focusable || face->role() == QAccessible::ScrollBar ||
                                 widget->objectName().startsWith("pic") || widget->objectName().startsWith("lbl");
            if (control && widget->isVisibleTo(window) && !widget->inherits("QMenu")) {
                QVERIFY2(!name.isEmpty() && !name.endsWith(u'|'), qPrintable(key));
            }
            if (key == "characters/optChara_6") {
                // The class buttons are option buttons, and say whether they are chosen.
                QCOMPARE(face->role(), QAccessible::RadioButton);
                QVERIFY(face->state().checkable && !face->state().checked);
                face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QVERIFY(face->state().checked);
            }
        }
        if (window != &d.window) {
            window->close();
            MainWindowDriver::deleteClosed();
        }
    }
    QVERIFY2(expected.isEmpty(), qPrintable(expected.keys().join(u',')));
}

QTEST_MAIN(tst_DesktopIntegration)
#include "tst_DesktopIntegration.moc"
