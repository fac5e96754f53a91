#include "Fixtures.h"
#include "HelpCommand.h"
#include "MainWindowDriver.h"
#include "frmAbout.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

// The main window's frame: title, size, menus and their availability, the
// shortcuts, quitting, help and about.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void titleAndClientSize();
    void shortcutsDoNothingBeforeLoad();
    void shortcutsAfterLoad_data();
    void shortcutsAfterLoad();
    void quitEndsAtOnceWithoutTouchingFile();
    void helpStartsViewerWithPathAsOneArgument();
    void helpViewerThatCannotStartIsReported();
    void windowsHelpCommandLine_data();
    void windowsHelpCommandLine();
    void aboutWindow();
};

void tst_MainWindow::titleAndClientSize()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.window));
    QCOMPARE(d.window.windowTitle(), QStringLiteral("Orvane II: The Seeker's Crown Map Editor v1.0"));
    QCOMPARE(d.window.centralWidget()->size(), QSize(647, 477));
    QCOMPARE(d.window.minimumSize(), d.window.maximumSize());  // cannot be resized
}

void tst_MainWindow::shortcutsAfterLoad_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("shows");  // a window's name, a message title, or "help"
    QTest::newRow("Ctrl+S") << (Qt::CTRL | Qt::Key_S) << "File saved";
    QTest::newRow("Ctrl+C") << (Qt::CTRL | Qt::Key_C) << "frmCharacters";
    QTest::newRow("Ctrl+I") << (Qt::CTRL | Qt::Key_I) << "frmIB";
    QTest::newRow("Ctrl+P") << (Qt::CTRL | Qt::Key_P) << "frmPrices";
    QTest::newRow("Ctrl+T") << (Qt::CTRL | Qt::Key_T) << "frmTowns";
    QTest::newRow("F1") << QKeyCombination(Qt::Key_F1) << "help";
}

void tst_MainWindow::shortcutsAfterLoad()
{
    QFETCH(QKeyCombination, key);
    QFETCH(QString, shows);
    MainWindowDriver d;
    QVERIFY(d.showAndLoad());
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QTest::keyClick(&d.window, key.key(), key.keyboardModifiers());
    QStringList seen = d.platform.messageTitles();
    for (const auto& window : d.platform.modals) {
        seen << window->objectName();
    }
    if (!d.platform.started.isEmpty()) {
        seen << QStringLiteral("help");
    }
    QCOMPARE(seen, QStringList{shows});
    for (const auto& window : d.platform.modals) {
        window->close();
    }
}

void tst_MainWindow::shortcutsDoNothingBeforeLoad()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QVERIFY(!d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled());
    QVERIFY(!d.window.findChild<QMenu*>(QStringLiteral("mnuGame"))->isEnabled());
    for (Qt::Key key : {Qt::Key_S, Qt::Key_C, Qt::Key_I, Qt::Key_P, Qt::Key_T}) {
        QTest::keyClick(&d.window, key, Qt::ControlModifier);
    }
    QVERIFY(d.platform.messages.isEmpty());
    QVERIFY(d.platform.modals.isEmpty());
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    // Ctrl+L works from the start: it asks for a file.
    QTest::keyClick(&d.window, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(d.platform.openCalls, 1);
}

void tst_MainWindow::quitEndsAtOnceWithoutTouchingFile()
{
    MainWindowDriver d;
    QVERIFY(d.load());
    d.window.SelectTile(32 * 9);
    d.press(QPointF(20, 20));  // an unsaved map edit
    d.window.findChild<QAction*>(QStringLiteral("mnuFileQuit"))->trigger();
    QVERIFY(d.platform.ended);
    QVERIFY(d.platform.questions.isEmpty());
    QVERIFY(d.platform.messages.isEmpty());
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
}

void tst_MainWindow::helpStartsViewerWithPathAsOneArgument()
{
    MainWindowDriver d;
    const QString folder = d.dir.filePath(QStringLiteral("My \"Editor\" Folder"));
    d.window.setHelpFolder(folder);
    d.window.findChild<QAction*>(QStringLiteral("mnuHelpHelp"))->trigger();
    QCOMPARE(d.platform.started.size(), 1);
    QCOMPARE(d.platform.started[0].second,
             QStringList{folder + QStringLiteral("/Orvane II Map Editor v1.0.txt")});
    QVERIFY(d.platform.messages.isEmpty());
}

void tst_MainWindow::helpViewerThatCannotStartIsReported()
{
    MainWindowDriver d;
    d.platform.startSucceeds = false;
    d.window.mnuHelpHelp_Click();
    QCOMPARE(d.platform.messages.size(), 1);
    QVERIFY(d.platform.messages[0].text.contains(QStringLiteral("Orvane II Map Editor v1.0.txt")));
}

void tst_MainWindow::windowsHelpCommandLine_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "C:/Editor" << "notepad.exe \"C:\\Editor\\Orvane II Map Editor v1.0.txt\"";
    QTest::newRow("blank in the folder") << "C:\\Program Files\\Orvane Editor"
                                         << "notepad.exe \"C:\\Program Files\\Orvane Editor\\Orvane II Map Editor v1.0.txt\"";
    QTest::newRow("drive root") << "D:\\" << "notepad.exe \"D:\\Orvane II Map Editor v1.0.txt\"";
}

void tst_MainWindow::windowsHelpCommandLine()
{
    QFETCH(QString, folder);
    QFETCH(QString, line);
    QCOMPARE(HelpCommand::WindowsCommandLine(folder), line);
}

void tst_MainWindow::aboutWindow()
{
    MainWindowDriver d;
    d.window.mnuHelpAbout_Click();
    QCOMPARE(d.platform.modals.size(), 1);
    auto* about = qobject_cast<frmAbout*>(d.platform.modals[0].data());
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About Orvane II Map Editor v1.0"));
    QCOMPARE(about->size(), QSize(355, 192));
    QCOMPARE(about->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(!about->findChild<QLabel*>(QStringLiteral("imgAbout"))->pixmap().isNull());
    const QString text = about->findChild<QPlainTextEdit*>(QStringLiteral("txtAbout"))->toPlainText();
    QVERIFY(text.contains(QStringLiteral("bug")));
    QVERIFY(text.contains(u'@'));
    about->close();
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
