#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "ui/QtPlatform.h"
#include "ui/frmAbout.h"

#include <QAction>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

// The main window's frame: size, menus and their availability, the
// shortcuts, the open dialog, quitting, the about window and bad block numbers.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void shortcuts_data();
    void shortcuts();
    void openDialog();
    void quitEndsAtOnceWithoutTouchingFile();
    void aboutWindow();
    void badBlockNumberShowsFatalError_data();
    void badBlockNumberShowsFatalError();
};

void tst_MainWindow::shortcuts_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("shows");  // a window's name, a message title, "open" or nothing
    QTest::newRow("before a load, Ctrl+S") << (Qt::CTRL | Qt::Key_S) << false << "";
    QTest::newRow("before a load, Ctrl+L") << (Qt::CTRL | Qt::Key_L) << false << "open";
    QTest::newRow("Ctrl+S") << (Qt::CTRL | Qt::Key_S) << true << "File saved";
    QTest::newRow("Ctrl+C") << (Qt::CTRL | Qt::Key_C) << true << "frmCharacters";
    QTest::newRow("Ctrl+I") << (Qt::CTRL | Qt::Key_I) << true << "frmIB";
    QTest::newRow("Ctrl+P") << (Qt::CTRL | Qt::Key_P) << true << "frmPrices";
    QTest::newRow("Ctrl+T") << (Qt::CTRL | Qt::Key_T) << true << "frmTowns";
}

// Before the first load "Save Changes" and the Game menu cannot be chosen,
// from the menu or by their keys; afterwards every key does its command.
void tst_MainWindow::shortcuts()
{
    QFETCH(QKeyCombination, key);
    QFETCH(bool, loaded);
    QFETCH(QString, shows);
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QVERIFY(!loaded || d.load());
    QCOMPARE(d.window.findChild<QMenu*>(QStringLiteral("mnuGame"))->menuAction()->isEnabled(), loaded);
    for (const char* entry : {"mnuFileSave", "mnuCharacters", "mnuGameItems", "mnuGamePriceItems", "mnuGameTowns"}) {
        QCOMPARE(d.window.findChild<QAction*>(QLatin1String(entry))->isEnabled(), loaded);
    }
    QTest::keyClick(&d.window, key.key(), key.keyboardModifiers());
    QStringList seen = d.platform.messageTitles();
    for (const auto& window : d.modals.shown) {
        seen << window->objectName();
    }
    if (d.platform.openDialogs.size() > int(loaded)) {
        seen << QStringLiteral("open");
    }
    QCOMPARE(seen.join(u','), shows);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    for (const auto& window : d.modals.shown) {
        window->close();
    }
}

// Two filters, "NES files (*.nes)" chosen first; "All Files(*.*)" lists every
// file, also one without a dot in its name.
void tst_MainWindow::openDialog()
{
    MainWindowDriver d;
    d.action("mnuFileLoad")->trigger();
    QCOMPARE(d.platform.openDialogs.size(), 1);
    QCOMPARE(d.platform.openDialogs[0].title, QString());  // the dialog's own title and folder
    QCOMPARE(d.platform.openDialogs[0].folder, QString());
    const QString folder = d.dir.path();
    Fixtures::WriteFile(d.dir, QStringLiteral("README"), "x");
    const auto dialog = QtPlatform::makeOpenDialog(nullptr, d.platform.openDialogs[0].filters);
    QCOMPARE(dialog->nameFilters(), (QStringList{"NES files (*.nes)", "All Files(*.*)"}));
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("NES files (*.nes)"));
    auto* files = dialog->findChild<QFileSystemModel*>();
    dialog->setDirectory(folder);
    const auto listed = [&] {
        QStringList names;
        const QModelIndex root = files->index(folder);
        for (int row = 0; row < files->rowCount(root); ++row) {
            names << files->index(row, 0, root).data().toString();
        }
        names.sort();
        return names.join(u',');
    };
    QTRY_COMPARE(listed(), QStringLiteral("cart.nes"));
    emit dialog->filterSelected(QStringLiteral("All Files(*.*)"));  // as the dialog does when the user picks it
    QTRY_COMPARE(listed(), QStringLiteral("README,cart.nes"));
}

void tst_MainWindow::quitEndsAtOnceWithoutTouchingFile()
{
    MainWindowDriver d;
    QVERIFY(d.load());
    d.pickTileFromStrip(9);
    d.press(QPointF(20, 20));  // an unsaved map edit
    d.window.findChild<QAction*>(QStringLiteral("mnuFileQuit"))->trigger();
    QVERIFY(d.modals.ended);
    QVERIFY(d.platform.questions.isEmpty() && d.platform.messages.isEmpty());
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
}

// The main window's fixed client size, and the About window centred on it.
void tst_MainWindow::aboutWindow()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.window));
    QCOMPARE(d.window.centralWidget()->size(), QSize(647, 477));
    d.action("mnuHelpAbout")->trigger();
    QCOMPARE(d.modals.shown.size(), 1);
    auto* about = qobject_cast<frmAbout*>(d.modals.shown[0].data());
    QVERIFY(about && QTest::qWaitForWindowExposed(about));
    QCOMPARE(about->size(), QSize(355, 192));
    QCOMPARE(about->frameGeometry().center(), d.window.frameGeometry().center());
    QCOMPARE(about->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(!about->findChild<QLabel*>(QStringLiteral("imgAbout"))->pixmap().isNull());
    const QString text = about->findChild<QPlainTextEdit*>(QStringLiteral("txtAbout"))->toPlainText();
    QVERIFY(text.contains(QStringLiteral("bug")) && text.contains(u'@'));
    about->close();
}

void tst_MainWindow::badBlockNumberShowsFatalError_data()
{
    QTest::addColumn<int>("block");
    QTest::newRow("0") << 0;
    QTest::newRow("9") << 9;
}

// A block outside 1..8 shows the fatal error box and is drawn from offset 0.
void tst_MainWindow::badBlockNumberShowsFatalError()
{
    QFETCH(int, block);
    MainWindowDriver d;
    QCOMPARE(d.session.BlockStartOffset(block), 0);
    QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("Fatal Error!")});
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Critical);
    QVERIFY(
        d.platform.messages[0].text.startsWith(QStringLiteral("If you are reading this box is beacuse something\r\n")));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
