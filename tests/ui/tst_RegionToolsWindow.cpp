#include "FileLayout.h"
#include "MainWindowDriver.h"
#include "ui/PictureBox.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

using FileLayout::MapByte;

namespace {

// Every map cell holds tile 1 but a 2 x 2 square of 2s at columns 2 and 3, rows 2 and 3.
QByteArray cartridge()
{
    QByteArray bytes = QByteArray("NES\x1A", 4) + QByteArray(262156, '\x01');
    for (const int at : {MapByte(1, 2, 2), MapByte(1, 2, 3), MapByte(1, 3, 2), MapByte(1, 3, 3)}) {
        bytes[at] = 2;
    }
    return bytes;
}

// The middle of cell (column, local row) on the map picture.
QPointF centre(int column, int row)
{
    return QPointF(16 * column + 8, 16 * row + 8);
}

}  // namespace

// Each tool of the main window chosen by its key and used with real mouse
// events, the clipboard by its keys, and the zoom: what only the window does
// (keys, tool bar, status line, pointer to cell); what each tool changes is
// tst_RegionTools's.
class tst_RegionToolsWindow : public QObject {
    Q_OBJECT

private slots:
    void toolsByKeysAndMouse_data();
    void toolsByKeysAndMouse();
    void zoomKeepsPointerOnItsCell();
};

void tst_RegionToolsWindow::toolsByKeysAndMouse_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");  // the tool bar's button that shows itself chosen
    QTest::addColumn<QString>("status");  // the status line over cell (5, 5), before the press
    QTest::addColumn<QString>("undo");
    QTest::newRow("B, a brush stroke") << int(Qt::Key_B) << "mnuToolsBrush"
                                       << ""
                                       << "Paint 4 Cells";
    QTest::newRow("F, a fill") << int(Qt::Key_F) << "mnuToolsFill"
                               << "Fill: 65532 cells will change"
                               << "Fill 65532 Cells";
    QTest::newRow("P, a rectangle") << int(Qt::Key_P) << "mnuToolsRectangle"
                                    << "Rectangle fill: drag a rectangle to fill it with tile 03"
                                    << "Rectangle Fill 4 Cells";
    QTest::newRow("R, a selection copied and pasted") << int(Qt::Key_R) << "mnuToolsSelect"
                                                      << "Select: drag a rectangle"
                                                      << "Paste 4 Cells";
}

// The tool's key chooses it; a press at (5, 5) and a drag to (8, 5) (or, for
// the selection, over the square of 2s, then Ctrl+Shift+C, Ctrl+V and a
// click at (5, 5)) make exactly one step.
void tst_RegionToolsWindow::toolsByKeysAndMouse()
{
    QFETCH(int, key);
    QFETCH(QString, button);
    MainWindowDriver d(cartridge());
    QVERIFY(d.showAndLoad());
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    d.pickTileFromStrip(3);
    QTest::keyClick(&d.window, Qt::Key(key));
    QVERIFY(d.action(qPrintable(button))->isChecked());
    d.move(centre(5, 5));
    QTEST(d.window.findChild<QLabel*>(QStringLiteral("lblToolStatus"))->text(), "status");
    if (key == Qt::Key_R) {
        d.mapEvent(QEvent::MouseButtonPress, centre(2, 2), Qt::LeftButton, Qt::LeftButton);
        d.move(centre(3, 3), Qt::LeftButton);
        d.mapEvent(QEvent::MouseButtonRelease, centre(3, 3), Qt::LeftButton, Qt::NoButton);
        QTest::keyClick(&d.window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(&d.window, Qt::Key_V, Qt::ControlModifier);
        d.move(centre(5, 5));
        d.press(centre(5, 5));
    } else {
        d.mapEvent(QEvent::MouseButtonPress, centre(5, 5), Qt::LeftButton, Qt::LeftButton);
        d.move(centre(key == Qt::Key_P ? 6 : 8, key == Qt::Key_P ? 6 : 5), Qt::LeftButton);
        d.mapEvent(QEvent::MouseButtonRelease, centre(8, 5), Qt::LeftButton, Qt::NoButton);
    }
    QCOMPARE(d.session.document().undoStack().count(), 1);
    QTEST(d.session.document().undoStack().undoText(), "undo");
    QCOMPARE(d.action("mnuEditUndo")->text(), QStringLiteral("&Undo ") + d.session.document().undoStack().undoText());
}

// Ctrl++ and Ctrl and the wheel zoom the map in whole pixels; the cell under
// the wheel stays under it, and a press still paints the cell it is on.
void tst_RegionToolsWindow::zoomKeepsPointerOnItsCell()
{
    MainWindowDriver d(cartridge());
    QVERIFY(d.showAndLoad());
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    PictureBox* map = d.picMap();
    QTest::keyClick(&d.window, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(map->size(), QSize(8192, 1024));
    QWidget* view = d.window.findChild<QWidget*>(QStringLiteral("picHolder_01"));
    const QPoint over(200, 170);
    const auto cellAt = [](QPoint p, int pixels) { return QPoint(p.x() / pixels, p.y() / pixels); };
    const QPoint before = cellAt(map->mapFrom(view, over), 32);
    QWheelEvent wheel(over, view->mapToGlobal(over), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    QCOMPARE(map->zoom(), 3.0);
    const QPoint onPicture = map->mapFrom(view, over);
    QCOMPARE(cellAt(onPicture, 48), before);
    d.pickTileFromStrip(3);
    QTest::mouseClick(map, Qt::LeftButton, {}, onPicture);
    QCOMPARE(d.session.image().at(MapByte(1, before.y(), before.x())), quint8(3));
    QTest::keyClick(&d.window, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(map->size(), QSize(4096, 512));
}

QTEST_MAIN(tst_RegionToolsWindow)
#include "tst_RegionToolsWindow.moc"
