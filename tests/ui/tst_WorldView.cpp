#include "FileLayout.h"
#include "MainWindowDriver.h"
#include "core/TileRaster.h"
#include "ui/frmWorldMap.h"

#include <QScrollBar>
#include <QtTest>

using FileLayout::MapByte;

// The world map as an editing view, driven with real mouse, wheel and key
// events on the real windows.
class tst_WorldView : public QObject {
    Q_OBJECT

private slots:
    void fillAcrossBlocksAtTwoZooms();
};

namespace {

// The cell as the screen shows it, once the repaints asked for are done (nothing is drawn anew).
QImage shownCell(WorldView* view, const MapCell& cell)
{
    QCoreApplication::processEvents();
    const QPoint at = view->viewport()->mapTo(view->window(), view->cellOrigin(cell));
    return view->screen()
        ->grabWindow(view->window()->winId(), at.x(), at.y(), view->zoom(), view->zoom())
        .toImage()
        .convertToFormat(TileRaster::Format);
}

// A tile at `zoom` pixels a cell: at 2 the pixels at the centres of the
// quarters of the tile's 16 x 16 picture, at 16 the map picture's cell.
QImage tileAt(const QImage& strip, int tile, int zoom)
{
    QImage cell(16, 16, TileRaster::Format);
    TileRaster::CopyTileToCell(strip, tile, cell, 0, 0);
    if (zoom == 2) {
        QImage quarters(2, 2, TileRaster::Format);
        for (int i = 0; i < 4; ++i) {
            quarters.setPixel(i % 2, i / 2, cell.pixel(4 + 8 * (i % 2), 4 + 8 * (i / 2)));
        }
        return quarters;
    }
    return cell;
}

void wheel(QWidget* viewport, QPoint at, int notches, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
}

}  // namespace

// A middle click shows a cell in the main window and paints nothing; a
// rectangle fill from block 1 into block 2 changes exactly its cells, as one
// undo step, and shows at 2 and, zoomed with Ctrl+wheel around the pointer,
// at 16 pixels a cell; undo puts the map and the picture back, and they stay
// right when the wheel scrolls. Escape drops the selection before it closes
// the window.
void tst_WorldView::fillAcrossBlocksAtTwoZooms()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QVERIFY(d.load());
    d.action("mnuViewWorldMap")->trigger();
    frmWorldMap* world = d.window.findChild<frmWorldMap*>();
    QVERIFY(world && world->isVisible());
    QCOMPARE(world->markers().size(), 18);
    WorldView* view = world->view();
    QWidget* port = view->viewport();
    QCOMPARE(port->size(), QSize(512, 512));
    const QImage& strip = d.session.tileStrip();
    d.pickTileFromStrip(0x9C);

    QTest::mouseClick(port, Qt::MiddleButton, {}, QPoint(2 * 150 + 1, 2 * 40 + 1));  // block 2, row 8
    QCOMPARE(d.text("lblBlock"), QStringLiteral("2"));
    const int left = d.bar("hsMap")->value() / 16;
    const int top = d.bar("vsMap")->value() / 16;
    QVERIFY(left <= 150 && 150 < left + 28 && top <= 8 && 8 < top + 24);

    // A rectangle fill down column 140 from row 30 (block 1) to row 35 (block 2), with
    // the screen up to date before: only the repaints the fill asks for show it.
    d.session.setTool(EditorSession::Tool::Rectangle);
    QCoreApplication::processEvents();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(2 * 140 + 1, 2 * 30 + 1));
    QTest::mouseMove(port, QPoint(2 * 140 + 1, 2 * 35 + 1));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(2 * 140 + 1, 2 * 35 + 1));
    QByteArray expected = d.original;
    for (const qint64 offset : {MapByte(1, 30, 140), MapByte(1, 31, 140), MapByte(2, 0, 140), MapByte(2, 1, 140),
                                MapByte(2, 2, 140), MapByte(2, 3, 140)}) {
        expected[offset] = char(0x9C);
    }
    QCOMPARE(d.image(), expected.mid(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart));
    QCOMPARE(d.session.document().undoStack().count(), 1);
    const MapCell painted{140, 33};  // clear of the outlines of the block and the pointer's cell
    QCOMPARE(shownCell(view, painted), tileAt(strip, 0x9C, 2));

    const QPoint pointer = view->cellOrigin(painted) + QPoint(1, 1);
    wheel(port, pointer, 6);
    QCOMPARE(view->zoom(), 16);
    QCOMPARE(view->cellAt(pointer), painted);
    QCOMPARE(shownCell(view, painted), tileAt(strip, 0x9C, 16));
    d.action("mnuEditUndo")->trigger();
    QCOMPARE(d.image(), d.original.mid(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart));
    const QImage before = tileAt(strip, quint8(d.original[MapByte(2, 1, 140)]), 16);
    QCOMPARE(shownCell(view, painted), before);
    wheel(port, pointer, -1, Qt::NoModifier);  // scrolls down
    QVERIFY(view->cellAt(pointer).row > painted.row);
    QCOMPARE(shownCell(view, painted), before);

    const MapCell under = view->cellAt(pointer);
    wheel(port, pointer, -1);
    QCOMPARE(view->zoom(), 12);
    QCOMPARE(view->cellAt(pointer), under);
    view->actualSize();  // the bars go again
    QTRY_COMPARE(port->size(), QSize(512, 512));

    d.session.selectAll();
    QTest::keyClick(world, Qt::Key_Escape);
    QVERIFY(world->isVisible() && !d.session.selection());
    QTest::keyClick(world, Qt::Key_Escape);
    QVERIFY(!world->isVisible());
}

QTEST_MAIN(tst_WorldView)
#include "tst_WorldView.moc"
