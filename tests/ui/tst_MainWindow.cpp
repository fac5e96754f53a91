#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapJournal.h"
#include "core/ProgramInfo.h"
#include "ui/HelpViewer.h"
#include "ui/MapView.h"
#include "ui/PictureBox.h"
#include "ui/QtPlatform.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>
#include <QtTest>

#include <array>

#ifndef ORVANE_EDITOR
#error "ORVANE_EDITOR must name the editor program"
#endif

// The main window's frame and the editor as a program of the desktop: menus
// and keys, the open dialog, quitting, drops, recent files across runs, a patch
// made and applied through the File menu, and the help.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void shortcuts_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("shows");  // a window's name, a message title, "open", a program started or nothing
        QTest::newRow("before a load, Ctrl+S") << (Qt::CTRL | Qt::Key_S) << false << "";
        QTest::newRow("before a load, Ctrl+L") << (Qt::CTRL | Qt::Key_L) << false << "open";
        QTest::newRow("Ctrl+S") << (Qt::CTRL | Qt::Key_S) << true << "File saved";
        QTest::newRow("Ctrl+C") << (Qt::CTRL | Qt::Key_C) << true << "frmCharacters";
        QTest::newRow("before a load, F5") << QKeyCombination(Qt::Key_F5) << false << "";
        QTest::newRow("F5") << QKeyCombination(Qt::Key_F5) << true << "emulator";
    }
    // Before the first load "Save Changes", the Game menu and Test in Emulator cannot be chosen,
    // from the menu or by their keys; afterwards every key does its command.
    void shortcuts()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(bool, loaded);
        MainWindowDriver d;
        d.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        d.platform.textAnswers << QStringLiteral("emulator");
        d.session.chooseEmulator();
        QVERIFY(!loaded || d.load());
        QCOMPARE(d.window.findChild<QMenu*>(QStringLiteral("mnuGame"))->menuAction()->isEnabled(), loaded);
        for (const char* entry : {"mnuFileSave", "mnuCharacters", "mnuGameItems", "mnuGamePriceItems", "mnuGameTowns",
                                  "mnuToolsTestInEmulator"}) {
            QCOMPARE(d.action(entry)->isEnabled(), loaded);
        }
        QTest::keyClick(&d.window, key.key(), key.keyboardModifiers());
        QStringList seen = d.platform.messageTitles();
        for (const auto& run : d.platform.started) {
            seen << run.first;
        }
        for (const auto& window : d.modals.shown) {
            seen << window->objectName();
            window->close();
        }
        if (d.platform.openDialogs.size() > int(loaded)) {
            seen << QStringLiteral("open");
        }
        QTEST(seen.join(u','), "shows");
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    }

    // The tool bar, fixed in place, shows pictures: the tools in the Tools menu's order, the zooms and Show
    // Changes, each button's tooltip its name and key. No two entries share a key.
    void toolsMenuAndToolBar()
    {
        MainWindowDriver d;
        const auto* bar = d.window.findChild<QToolBar*>(QStringLiteral("tbTools"));
        QVERIFY(!bar->isMovable());
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        const QList<QAction*> tools = bar->actions().mid(0, 5);
        QCOMPARE(d.window.findChild<QMenu*>(QStringLiteral("mnuTools"))->actions().mid(0, tools.size()), tools);
        QStringList entries;
        for (const QAction* button : bar->actions()) {
            if (!button->isSeparator()) {
                QCOMPARE(button->icon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
                entries << button->objectName() + u'|' + button->toolTip();
            }
        }
        QCOMPARE(d.action("mnuEditGoToTile")->icon().availableSizes().size(), 2);  // its picture in the Edit menu
        QCOMPARE(entries,
                 (QStringList{"mnuToolsBrush|Brush (B)", "mnuToolsFill|Bucket Fill (F)",
                              "mnuToolsRectangle|Rectangle Fill (P)", "mnuToolsSelect|Rectangular Selection (R)",
                              "mnuToolsMoveLocations|Move Locations (M)", "mnuViewZoomIn|Zoom In (Ctrl++)",
                              "mnuViewZoomOut|Zoom Out (Ctrl+-)", "mnuViewActualSize|Actual Size (Ctrl+0)",
                              "mnuViewShowChanges|Show Changes (Ctrl+D)"}));
        QList<QKeySequence> keys;
        for (const QAction* entry : d.window.findChildren<QAction*>()) {
            for (const QKeySequence& key : entry->shortcuts()) {
                QVERIFY2(!keys.contains(key), qPrintable(key.toString()));
                keys << key;
            }
        }
    }

    // A restart brings back the place and size, the zoom, the tool and the tool bar; View > Reset Layout puts
    // everything back as at the first start, and so does the next start.
    void layoutRemembered()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QImage firstLook;
        QRect firstPlace;
        {
            MainWindowDriver fresh;
            fresh.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fresh.window));
            firstLook = fresh.window.grab().toImage();
            firstPlace = fresh.window.geometry();
        }
        const auto zoom = [](const MainWindowDriver& d) { return d.window.findChild<MapView*>()->cellPixels(); };
        const auto toolBarShown = [](const MainWindowDriver& d) {
            return d.window.findChild<QToolBar*>(QStringLiteral("tbTools"))->isVisible();
        };
        QRect place;
        {
            MainWindowDriver d({}, &settings);
            QVERIFY(d.showAndLoad());
            QCOMPARE(d.window.geometry(), firstPlace);
            d.window.setGeometry(firstPlace.adjusted(-30, 20, 90, 80));
            place = d.window.geometry();
            QTest::keyClick(&d.window, Qt::Key_Equal, Qt::ControlModifier);
            QTest::keyClick(&d.window, Qt::Key_F);
            d.action("mnuViewToolBar")->trigger();
            QVERIFY(!toolBarShown(d));
            d.action("mnuFileQuit")->trigger();
        }
        for (const bool afterReset : {false, true}) {
            MainWindowDriver d({}, &settings);
            d.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d.window));
            QCOMPARE(d.window.geometry(), afterReset ? firstPlace : place);
            QCOMPARE(zoom(d), afterReset ? 16 : 32);
            QCOMPARE(d.session.tool(), QString(afterReset ? "Brush" : "Fill"));
            QCOMPARE(toolBarShown(d), afterReset);
            QCOMPARE(d.action("mnuViewToolBar")->isChecked(), afterReset);
            if (afterReset) {
                QCOMPARE(d.window.grab().toImage(), firstLook);
                break;
            }
            QVERIFY(d.load());
            d.action("mnuViewResetLayout")->trigger();
            QCOMPARE(d.window.geometry(), firstPlace);
            QCOMPARE(zoom(d), 16);
            QCOMPARE(d.session.tool(), QStringLiteral("Brush"));
            QVERIFY(toolBarShown(d));
            QVERIFY(settings.childGroups().isEmpty());
            d.action("mnuViewToolBar")->trigger();
            QVERIFY(!toolBarShown(d));
            d.action("mnuViewToolBar")->trigger();
            QVERIFY(toolBarShown(d));
            d.window.close();
        }
    }

    // The file's name in the status bar, "(modified)" while map edits are unsaved. Ctrl+D outlines the cells
    // changed since the file (yellow) and its backup (pink) and counts them; F8 and Shift+F8 go from one to the next.
    void changesAndFile()
    {
        MainWindowDriver d;
        d.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        QCOMPARE(d.text("lblFile"), QString());
        QVERIFY(d.load());
        const auto* file = d.window.findChild<QLabel*>(QStringLiteral("lblFile"));
        QCOMPARE(file->text(), QStringLiteral("cart.nes"));
        QCOMPARE(file->toolTip(), QDir::toNativeSeparators(d.path));
        const auto paint = [&d](int column, int row) {
            d.pickTileFromStrip(static_cast<quint8>(d.original[FileLayout::MapByte(1, row, column)]) ^ 0x10);
            d.press(MainWindowDriver::cellCentre(column, row));
            d.mapEvent(QEvent::MouseButtonRelease, MainWindowDriver::cellCentre(column, row), Qt::LeftButton, {});
        };
        paint(3, 20);
        QCOMPARE(file->text(), QStringLiteral("cart.nes (modified)"));
        QTest::keyClick(&d.window, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(d.action("mnuViewShowChanges")->isChecked());
        QCOMPARE(d.text("lblChanges"), QStringLiteral("1 unsaved, 1 since backup"));
        const QImage outline = d.picMap()->grab(QRect(48, 320, 16, 16)).toImage();
        QCOMPARE((QList<QColor>{outline.pixelColor(0, 7), outline.pixelColor(15, 7), outline.pixelColor(1, 7)}),
                 (QList<QColor>{QColor(248, 216, 64), QColor(248, 216, 64), QColor(232, 112, 176)}));
        paint(10, 5);  // the cursor left there: F8 on from it, wrapping; back twice, off the outline read below
        for (const auto& [back, cell] : std::initializer_list<std::pair<bool, MapCell>>{
                 {false, {3, 20}}, {false, {10, 5}}, {true, {3, 20}}, {true, {10, 5}}}) {
            QTest::keyClick(&d.window, Qt::Key_F8, back ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(d.session.cursorCell().value_or(MapCell{}), cell);
        }
        QTest::keyClick(&d.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(file->text(), QStringLiteral("cart.nes"));
        QCOMPARE(d.text("lblChanges"), QStringLiteral("0 unsaved, 2 since backup"));
        QCOMPARE(d.picMap()->grab(QRect(48, 320, 16, 16)).toImage().pixelColor(0, 7), QColor(232, 112, 176));
        QTest::keyClick(&d.window, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(!d.window.findChild<QLabel*>(QStringLiteral("lblChanges"))->isVisible());
        QCOMPARE(d.picMap()->grab(QRect(48, 320, 16, 16)).toImage(), d.mapPicture().copy(48, 320, 16, 16));
    }

    // The open dialog: its own title and folder, two filters, "NES files (*.nes)" chosen first.
    void openDialog()
    {
        MainWindowDriver d;
        d.action("mnuFileLoad")->trigger();
        QCOMPARE(d.platform.openDialogs.size(), 1);
        QCOMPARE(d.platform.openDialogs[0].title, QString());
        QCOMPARE(d.platform.openDialogs[0].folder, QString());
        const auto dialog = QtPlatform::makeOpenDialog(nullptr, d.platform.openDialogs[0].filters);
        QCOMPARE(dialog->nameFilters(), (QStringList{"NES files (*.nes)", "All Files(*.*)"}));
        QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("NES files (*.nes)"));
        // "All Files(*.*)" lists every file, also one without a dot in its name.
        Fixtures::WriteFile(d.dir, QStringLiteral("README"), "x");
        auto* files = dialog->findChild<QFileSystemModel*>();
        dialog->setDirectory(d.dir.path());
        const auto listed = [&] {
            QStringList names;
            const QModelIndex root = files->index(d.dir.path());
            for (int row = 0; row < files->rowCount(root); ++row) {
                names << files->index(row, 0, root).data().toString();
            }
            names.sort();
            return names.join(u',');
        };
        QTRY_COMPARE(listed(), QStringLiteral("cart.nes"));
        emit dialog->filterSelected(QStringLiteral("All Files(*.*)"));  // as the dialog does when the user picks it
        QTRY_COMPARE(listed(), QStringLiteral("README,cart.nes"));
        QtPlatform platform;  // a modal dialog on screen holds off the file watcher
        QVERIFY(!platform.isShowingModal());
        dialog->setModal(true);
        dialog->show();
        QVERIFY(platform.isShowingModal());
        dialog->hide();
        QString shownIn;  // the program's own dialog opens in the folder asked for
        QTimer::singleShot(0, [&shownIn] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            shownIn = shown ? shown->directory().absolutePath() : QString();
            shown ? shown->reject() : void();
        });
        const QString folder = QDir(d.dir.path()).absoluteFilePath(QStringLiteral("maps"));  // not the last one shown
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(platform.openFileName({}, {}, folder), std::nullopt);
        QCOMPARE(shownIn, folder);
    }

    // The real question box: Enter presses the default button; Escape and the close box (0) answer nothing.
    void choiceKeys()
    {
        QtPlatform platform;
        for (const auto& [key, defaultButton, answer] : QList<std::array<int, 3>>{
                 {Qt::Key_Return, 0, 0}, {Qt::Key_Enter, 1, 1}, {Qt::Key_Escape, 0, -1}, {0, 1, -1}}) {
            QList<QPushButton*> shown;  // the buttons one sees: the two asked for, no third one for Escape
            QTimer::singleShot(0, [key = key, box = &QApplication::activeModalWidget, &shown] {
                const QList<QPushButton*> buttons = box()->findChildren<QPushButton*>();
                std::copy_if(buttons.begin(), buttons.end(), std::back_inserter(shown),
                             std::mem_fn(&QWidget::isVisible));
                key ? QTest::keyClick(box(), Qt::Key(key)) : void(box()->close());
            });
            QCOMPARE(platform.choice({}, {}, {QStringLiteral("&Restore"), QStringLiteral("&Discard")}, defaultButton),
                     answer);
            QCOMPARE(shown.size(), 2);
        }
    }

    // Quit ends at once, over an unsaved edit, asking nothing and writing nothing.
    // A command chosen while the brush's button is held journals the stroke first.
    void quitEndsAtOnceWithoutTouchingFile()
    {
        MainWindowDriver d;
        QVERIFY(d.load());
        d.pickTileFromStrip(9);
        d.mapEvent(QEvent::MouseButtonPress, QPointF(20, 20), Qt::LeftButton, Qt::LeftButton);
        d.action("mnuFileExport")->trigger();  // its dialog, cancelled, would take the release
        QVERIFY(QFileInfo::exists(MapJournal::JournalPath(d.path)));
        d.action("mnuFileQuit")->trigger();
        QVERIFY(d.modals.ended);
        QVERIFY(d.platform.questions.isEmpty() && d.platform.messages.isEmpty());
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    }

    void droppedFile_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("loads");
        QTest::newRow(".nes") << QStringList{"drop.nes"} << true;
        QTest::newRow(".NES") << QStringList{"DROP.NES"} << true;
        QTest::newRow("another kind") << QStringList{"drop.txt"} << false;
        QTest::newRow("two cartridges") << QStringList{"a.nes", "b.nes"} << false;
    }
    // One cartridge dropped on the window loads; anything else is refused at the door.
    void droppedFile()
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
        QTRY_COMPARE(d.session.cartridgePath(), loads ? urls[0].toLocalFile() : QString());
        QCOMPARE(d.session.image().at(FileLayout::ImageStart), loads ? quint8(d.original[FileLayout::ImageStart]) : 0);
    }

    // Started with a relative name, the editor remembers the file's full path: the next run lists eight,
    // newest first; an entry loads its file and comes first, one whose file is gone goes, with a message.
    void recentFilesAcrossRuns()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath("config/orvane-map-editor/orvane-map-editor.conf");
        QStringList games;  // game 9 down to game 0
        for (int i = 9; i >= 0; --i) {
            games << Fixtures::WriteFile(dir, QStringLiteral("game & %1.nes").arg(i), Fixtures::Pattern(262160, i));
        }
        QSettings(settings, QSettings::IniFormat).setValue("recentFiles", games.mid(0, 9));
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        environment.insert("XDG_STATE_HOME", dir.filePath("state"));
        editor.setProcessEnvironment(environment);
        editor.setWorkingDirectory(dir.path());
        editor.start(QStringLiteral(ORVANE_EDITOR), {"game & 0.nes"});
        QTRY_COMPARE_WITH_TIMEOUT(QSettings(settings, QSettings::IniFormat).value("recentFiles").toStringList(),
                                  games.mid(9) + games.mid(0, 7), 30000);
        editor.kill();
        QVERIFY(editor.waitForFinished());

        QSettings store(settings, QSettings::IniFormat);
        MainWindowDriver d({}, &store);
        const auto listed = [&d] {
            QStringList texts;
            for (const QAction* entry : d.window.findChild<QMenu*>("mnuFileRecent")->actions()) {
                texts << entry->text();
            }
            return texts;
        };
        const auto entries = [&games](const QList<int>& numbers) {
            QStringList texts;
            for (const int n : numbers) {
                texts << QStringLiteral("&%1 %2").arg(texts.size() + 1).arg(QString(games[9 - n]).replace("&", "&&"));
            }
            return texts;
        };
        QCOMPARE(listed(), entries({0, 9, 8, 7, 6, 5, 4, 3}));
        QFile::remove(games[0]);
        d.window.findChild<QAction*>("mnuFileRecent_1")->trigger();
        QCOMPARE(d.platform.messages.size(), 1);
        QVERIFY(d.platform.messages[0].text.contains('"' + games[0] + '"'));
        QCOMPARE(d.session.cartridgePath(), QString());
        QCOMPARE(listed(), entries({0, 8, 7, 6, 5, 4, 3}));
        d.window.findChild<QAction*>("mnuFileRecent_2")->trigger();
        QCOMPARE(d.session.cartridgePath(), games[2]);
        QCOMPARE(listed(), entries({7, 0, 8, 6, 5, 4, 3}));
    }

    // A patch of the saved cartridge against a pristine copy, applied to it after the question, makes the two alike.
    void patchMadeAndAppliedThroughMenu()
    {
        const QString name = QStringLiteral("p.bps");  // a BPS patch by its name (an IPS one: tst_FilesBeside)
        MainWindowDriver d;
        const QString pristine = Fixtures::WriteFile(d.dir, QStringLiteral("pristine.nes"), d.original);
        QVERIFY(d.load());
        d.pickTileFromStrip(9);
        d.press(QPointF(3 * 16 + 2, 2 * 16 + 2));
        d.action("mnuFileSave")->trigger();
        const QByteArray edited = Fixtures::ReadAll(d.path);

        d.platform.openAnswers << pristine;
        d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(name), 0};
        d.action("mnuFileCreatePatch")->trigger();
        const QString patch = d.dir.filePath(name);
        QVERIFY(Fixtures::ReadAll(patch).startsWith("BPS1"));

        d.path = pristine;
        QVERIFY(d.load());
        d.platform.openAnswers << patch;
        d.platform.questionAnswers << true;
        d.action("mnuFileApplyPatch")->trigger();
        QCOMPARE(d.platform.openDialogs.last().folder, d.dir.path());  // the cartridge's
        QCOMPARE(d.platform.questions.size(), 1);
        QVERIFY(d.platform.questions[0].text.startsWith(
            QStringLiteral("Apply the patch \"%1\" to \"%2\"?").arg(patch, pristine)));
        QCOMPARE(Fixtures::ReadAll(pristine), edited);
        QCOMPARE(d.session.image().at(FileLayout::MapByte(1, 2, 3)), quint8(9));
        QCOMPARE(d.platform.messageTitles(), (QStringList{"File saved", "Patch created", "Patch applied"}));
    }

    void help_data()
    {
        QTest::addColumn<QString>(
            "helpFolder");  // where the help file lies ("": nowhere); the executable lies in "bin"
        QTest::addColumn<bool>("viewerStarts");
        QTest::newRow("viewer starts") << "" << true;
        QTest::newRow("no viewer, no file") << "" << false;
        QTest::newRow("no viewer, file installed") << "share/orvane-map-editor" << false;
    }
    // The viewer gets the help file's path as one argument; where no viewer starts
    // the program shows the text in one window of its own, or a message naming the file.
    void help()
    {
        QFETCH(QString, helpFolder);
        QFETCH(bool, viewerStarts);
        MainWindowDriver d;
        const QDir root(d.dir.filePath("My \"Editor\" Folder"));
        QVERIFY(root.mkpath("bin"));
        const QString help =
            root.filePath((helpFolder.isEmpty() ? "bin" : helpFolder) + '/' + ProgramInfo::HelpFileName);
        const QByteArray text = "Help text\nwith \"quotes\" and a second line\n";
        if (!helpFolder.isEmpty()) {
            QVERIFY(root.mkpath(helpFolder));
            Fixtures::WriteFile(d.dir, QDir(d.dir.path()).relativeFilePath(help), text);
        }
        d.session.setHelpFolder(root.filePath("bin"));
        d.platform.startSucceeds = viewerStarts;
        d.action("mnuHelpHelp")->trigger();
        d.action("mnuHelpHelp")->trigger();
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
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
