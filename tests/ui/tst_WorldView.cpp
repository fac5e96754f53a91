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
    void strokeAcrossBlocksAtTwoZooms();
};

namespace {

// The cell as the viewport shows it on screen.
QImage shownCell(WorldView* view, const MapCell& cell)
{
    return view->viewport()
        ->grab()
        .toImage()
        .convertToFormat(TileRaster::Format)
        .copy(QRect(view->cellOrigin(cell), QSize(view->zoom(), view->zoom())));
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

void ctrlWheel(QWidget* viewport, QPoint at, int notches)
{
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
}

}  // namespace

// A middle click shows a cell in the main window and paints nothing; a
// brush stroke from block 1 into block 2 paints exactly its cells, as one
// undo step, and shows at 2 and, zoomed with Ctrl+wheel around the pointer,
// at 16 pixels a cell; undo puts the map and the picture back.
void tst_WorldView::strokeAcrossBlocksAtTwoZooms()
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

    QTest::mouseClick(port, Qt::MiddleButton, {}, QPoint(2 * 230 + 1, 2 * 200 + 1));
    QCOMPARE(d.text("lblBlock"), QStringLiteral("7"));
    const int left = d.bar("hsMap")->value() / 16;
    const int top = d.bar("vsMap")->value() / 16;
    QVERIFY(left <= 230 && 230 < left + 28 && top <= 8 && 8 < top + 24);

    // Down column 140 from row 30 (block 1) to row 34 (block 2) in one fast move.
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(2 * 140 + 1, 2 * 30 + 1));
    QTest::mouseMove(port, QPoint(2 * 140 + 1, 2 * 34 + 1));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(2 * 140 + 1, 2 * 34 + 1));
    QByteArray expected = d.original;
    for (const qint64 offset :
         {MapByte(1, 30, 140), MapByte(1, 31, 140), MapByte(2, 0, 140), MapByte(2, 1, 140), MapByte(2, 2, 140)}) {
        expected[offset] = char(0x9C);
    }
    QCOMPARE(d.image(), expected.mid(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart));
    QCOMPARE(d.session.document().undoStack().count(), 1);
    const MapCell painted{140, 32};  // clear of the outlines of the block and the pointer's cell
    QCOMPARE(shownCell(view, painted), tileAt(strip, 0x9C, 2));

    const QPoint pointer = view->cellOrigin(painted) + QPoint(1, 1);
    ctrlWheel(port, pointer, 6);
    QCOMPARE(view->zoom(), 16);
    QCOMPARE(view->cellAt(pointer), painted);
    QCOMPARE(shownCell(view, painted), tileAt(strip, 0x9C, 16));
    ctrlWheel(port, pointer, -1);
    QCOMPARE(view->zoom(), 12);
    QCOMPARE(view->cellAt(pointer), painted);

    d.action("mnuEditUndo")->trigger();
    QCOMPARE(d.image(), d.original.mid(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart));
    view->setZoom(16, pointer);
    QCOMPARE(shownCell(view, painted), tileAt(strip, quint8(d.original[MapByte(2, 0, 140)]), 16));
}

QTEST_MAIN(tst_WorldView)
#include "tst_WorldView.moc"
