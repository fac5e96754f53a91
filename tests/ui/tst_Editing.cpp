#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/PictureBox.h"
#include "ui/frmWorldMap.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>

using D = MainWindowDriver;
using FileLayout::MapByte;

namespace {

// A tile at `zoom` pixels a cell: at 2 the centres of its quarters, at 16 the map picture's cell.
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

QByteArray imageOf(const QByteArray& file)
{
    return file.mid(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart);
}

}  // namespace

// Undo, redo, replace, the tools and the world map, driven with
// real key, mouse and wheel events on the real windows; what each tool
// changes is tst_RegionTools's.
class tst_Editing : public QObject {
    Q_OBJECT

private slots:
    // A fast stroke far right in block 2, then block 5 shown: undo brings block 2
    // back into view as it was, redo paints the stroke again, byte for byte.
    void undoRedoAcrossBlocks()
    {
        D d;
        QVERIFY(d.showAndLoad());
        d.chooseBlock(2);
        d.bar("hsMap")->setValue(3000);
        const QImage original = d.mapPicture();
        d.pickTileFromStrip(0x2B);
        d.mapEvent(QEvent::MouseButtonPress, D::cellCentre(200, 5), Qt::LeftButton, Qt::LeftButton);
        d.move(D::cellCentre(203, 5), Qt::LeftButton);  // one report for four cells
        d.mapEvent(QEvent::MouseButtonRelease, D::cellCentre(203, 5), Qt::LeftButton, Qt::NoButton);
        const QByteArray painted = d.session.image().bytes();
        QCOMPARE(d.action("mnuEditUndo")->text(), QStringLiteral("&Undo Paint 4 Cells"));

        d.chooseBlock(5);
        d.bar("hsMap")->setValue(0);
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(d.text("lblBlock"), QStringLiteral("2"));
        QCOMPARE(d.mapPicture(), original);
        const int left = d.bar("hsMap")->value() / 16;
        QVERIFY(left <= 200 && 200 < left + 28);  // the stroke's cells are in view
        QVERIFY(!d.action("mnuEditUndo")->isEnabled());
        QCOMPARE(d.action("mnuEditRedo")->text(), QStringLiteral("&Redo Paint 4 Cells"));

        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(d.mapPicture().copy(3200, 80, 64, 16), d.blockPicture(2).copy(3200, 80, 64, 16));
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&d.window, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(d.session.image().bytes(), painted);
    }

    void replaceWindow_data()
    {
        QTest::addColumn<int>("scope");  // the block replaced in, or 0 for the whole overworld
        QTest::newRow("in this block") << 3;
        QTest::newRow("in the whole overworld") << 0;
    }
    // Ctrl+R: tiles pre-filled (under the pointer, current); the count and the
    // button follow the tiles and the scope, switched back and forth; the
    // replace is done in the scope chosen last, there alone, and waits for "Save Changes".
    void replaceWindow()
    {
        QFETCH(int, scope);
        QByteArray cartridge = Fixtures::Pattern(262160, 42);
        for (qint64 at = MapByte(3, 0, 0); at < MapByte(3, 32, 0); ++at) {
            cartridge[at] = cartridge[at] == char(0xAB) ? char(0xAC) : cartridge[at];  // no AB in block 3
        }
        D d(cartridge);
        QVERIFY(d.showAndLoad());
        d.chooseBlock(3);
        d.pickTileFromStrip(0xE1);
        d.move(D::cellCentre(10, 10));
        const quint8 from = quint8(d.original[MapByte(3, 10, 10)]);
        const auto count = [&d](quint8 tile, int block) {
            qsizetype n = 0;
            for (int b = block ? block : 1; b <= (block ? block : 8); ++b) {
                n += d.original.mid(MapByte(b, 0, 0), 8192).count(char(tile));
            }
            return QStringLiteral("%1 cells will change.").arg(n);
        };
        QTest::keyClick(&d.window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(d.modals.shown.size(), 1);
        QDialog* window = d.modals.shown.last();
        QCOMPARE(D::textOf(window, QStringLiteral("txtFrom")), MapGeometry::TileReadout(from));
        QCOMPARE(D::textOf(window, QStringLiteral("txtTo")), QStringLiteral("E1"));
        const auto choose = [window](const char* scope) {  // a click on the option's circle
            QTest::mouseClick(window->findChild<QAbstractButton*>(scope), Qt::LeftButton, {}, QPoint(6, 8));
        };
        const auto says = [window] {
            return D::textOf(window, QStringLiteral("lblCount")) +
                   (window->findChild<QWidget*>(QStringLiteral("cmdReplace"))->isEnabled() ? "" : " (disabled)");
        };
        QCOMPARE(says(), count(from, 3));
        choose("optOverworld");
        QCOMPARE(says(), count(from, 0));
        choose("optBlock");
        QCOMPARE(says(), count(from, 3));
        D::type(window, QStringLiteral("txtFrom"), QStringLiteral("AB"));
        QCOMPARE(says(), QStringLiteral("0 cells will change. (disabled)"));
        choose("optOverworld");
        QCOMPARE(says(), count(0xAB, 0));
        D::type(window, QStringLiteral("txtTo"), QStringLiteral("zz"));  // not hexadecimal: refused
        QCOMPARE(says(), QStringLiteral("Type each tile as two hexadecimal digits (00 to FF). (disabled)"));
        D::type(window, QStringLiteral("txtTo"), QStringLiteral("e1"));
        D::type(window, QStringLiteral("txtFrom"), MapGeometry::TileReadout(from));
        choose(scope ? "optBlock" : "optOverworld");
        D::click(window, QStringLiteral("cmdReplace"));
        const QList<qint64> cells = Fixtures::Differences(d.image(), imageOf(d.original), 100000);
        const int changed = int(cells.size());
        QCOMPARE(QStringLiteral("%1 cells will change.").arg(changed), count(from, scope));
        QVERIFY(!scope || (cells.first() >= MapByte(3, 0, 0) - FileLayout::ImageStart &&
                           cells.last() < MapByte(4, 0, 0) - FileLayout::ImageStart));
        QCOMPARE(d.mapPicture(), d.blockPicture(3));
        QCOMPARE(d.action("mnuEditUndo")->text(), QStringLiteral("&Undo Replace %1 Cells").arg(changed));
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    }

    void toolsByKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");  // the tool bar's button that shows itself chosen
        QTest::addColumn<QString>("tool");
        QTest::newRow("B, the brush") << int(Qt::Key_B) << "mnuToolsBrush"
                                      << "Brush";
        QTest::newRow("F, the fill") << int(Qt::Key_F) << "mnuToolsFill"
                                     << "Fill";
        QTest::newRow("P, the rectangle") << int(Qt::Key_P) << "mnuToolsRectangle"
                                          << "Rectangle";
        QTest::newRow("R, the selection") << int(Qt::Key_R) << "mnuToolsSelect"
                                          << "Select";
    }
    // The tool's key chooses it and its button shows it chosen (what each tool
    // does is tst_RegionTools's); Ctrl+Shift+C copies the selection, Ctrl+V floats it.
    void toolsByKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, button);
        D d;
        QVERIFY(d.showAndLoad());
        d.session.setTool(key == Qt::Key_F ? QStringLiteral("Brush") : QStringLiteral("Fill"));
        QTest::keyClick(&d.window, Qt::Key(key));
        QVERIFY(d.action(qPrintable(button))->isChecked());
        QTEST(d.session.tool(), "tool");
        d.session.setSelection(QRect(2, 2, 3, 2));
        QTest::keyClick(&d.window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(&d.window, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(d.session.isPasting());
        QCOMPARE(QGuiApplication::clipboard()->text().size(), 2 * 9);
    }

    // The world map: locations marked, the last pixel paints the last cell, a middle click shows its block;
    // a fill across blocks at zoom 2 and 16, undone after a scroll; a redo scrolls its cells into view.
    void worldView()
    {
        const auto rows = FileLayout::LocationOffsets(FileLayout::Route::Items) +
                          FileLayout::LocationOffsets(FileLayout::Route::Towns);
        QByteArray cartridge = Fixtures::Pattern(262160, 42);
        cartridge[rows.last().first] = char(200);  // Dravel, the last marker drawn, at column 200, row 100
        cartridge[rows.last().second] = char(100);
        D d(cartridge);
        QVERIFY(d.showAndLoad());
        d.action("mnuViewWorldMap")->trigger();
        frmWorldMap* world = d.window.findChild<frmWorldMap*>();
        QVERIFY(world && QTest::qWaitForWindowExposed(world));
        QCOMPARE(world->markers().size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const auto& marker = world->markers()[i];
            QCOMPARE(QPoint(marker.column, marker.row),
                     QPoint(quint8(d.original[rows[i].first]), quint8(d.original[rows[i].second])));
        }
        WorldView* view = world->view();
        QWidget* port = view->viewport();
        QCOMPARE(port->size(), QSize(512, 512));
        QImage town(2, 2, TileRaster::Format);
        town.fill(QColor(255, 120, 40));
        QCOMPARE(shownCell(view, {200, 100}), town);
        d.action("mnuViewWorldLocations")->trigger();  // off: the tile shows
        QCOMPARE(shownCell(view, {200, 100}), tileAt(d.session.tileStrip(), quint8(cartridge[MapByte(4, 4, 200)]), 2));
        d.action("mnuViewWorldLocations")->trigger();
        const QImage& strip = d.session.tileStrip();
        d.pickTileFromStrip(0x9C);
        QTest::mouseClick(port, Qt::LeftButton, {}, QPoint(511, 511));
        QByteArray expected = d.original;
        expected[MapByte(8, 31, 255)] = char(0x9C);
        QCOMPARE(view->frame().copy(510, 510, 2, 2).convertToFormat(TileRaster::Format), tileAt(strip, 0x9C, 2));

        QTest::mouseClick(port, Qt::MiddleButton, {}, QPoint(2 * 150 + 1, 2 * 40 + 1));  // block 2, row 8
        QCOMPARE(d.text("lblBlock"), QStringLiteral("2"));

        // A rectangle fill down column 140 from row 30 (block 1) to row 35 (block 2), with
        // the screen up to date before: only the repaints the fill asks for show it.
        d.session.setTool(QStringLiteral("Rectangle"));
        QCoreApplication::processEvents();
        QTest::mousePress(port, Qt::LeftButton, {}, QPoint(2 * 140 + 1, 2 * 30 + 1));
        QTest::mouseMove(port, QPoint(2 * 140 + 1, 2 * 35 + 1));
        QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(2 * 140 + 1, 2 * 35 + 1));
        const QByteArray before = expected;
        for (const qint64 offset : {MapByte(1, 30, 140), MapByte(1, 31, 140), MapByte(2, 0, 140), MapByte(2, 1, 140),
                                    MapByte(2, 2, 140), MapByte(2, 3, 140)}) {
            expected[offset] = char(0x9C);
        }
        QCOMPARE(d.image(), imageOf(expected));
        QCOMPARE(d.session.document().undoStack().count(), 2);
        const MapCell painted{140, 33};  // clear of the outlines of the block and the pointer's cell
        QCOMPARE(shownCell(view, painted), tileAt(strip, 0x9C, 2));

        const QPoint pointer = view->cellOrigin(painted) + QPoint(1, 1);
        D::wheel(port, pointer, 6, Qt::ControlModifier);
        QCOMPARE(view->zoom(), 16);
        QCOMPARE(view->cellAt(pointer), painted);
        QCOMPARE(shownCell(view, painted), tileAt(strip, 0x9C, 16));
        d.action("mnuEditUndo")->trigger();
        QCOMPARE(d.image(), imageOf(before));
        const QImage unpainted = tileAt(strip, quint8(d.original[MapByte(2, 1, 140)]), 16);
        QCOMPARE(shownCell(view, painted), unpainted);
        D::wheel(port, pointer, -1);  // scrolls down
        QVERIFY(view->cellAt(pointer).row > painted.row);
        QCOMPARE(shownCell(view, painted), unpainted);
        view->horizontalScrollBar()->setValue(0);
        d.action("mnuEditRedo")->trigger();  // the world map shows the cells the step changes
        QVERIFY(port->rect().contains(QRect(view->cellOrigin({140, 30}), QSize(16, 16))));
        QTest::keyClick(world, Qt::Key_0, Qt::ControlModifier);  // the zoom keys act on the window in use
        QVERIFY(view->zoom() == 2 && d.picMap()->zoom() == 1);
        d.session.selectAll();
        QTest::keyClick(world, Qt::Key_Escape);  // drops the selection; the window stays
        QVERIFY(!d.session.selection() && world->isVisible());
        QTest::keyClick(world, Qt::Key_Escape);  // nothing left to drop: the window closes
        QVERIFY(!world->isVisible());
    }
};

QTEST_MAIN(tst_Editing)
#include "tst_Editing.moc"
