#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/MapEditMenus.h"
#include "ui/PictureBox.h"

#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

namespace {

QPointF cellCentre(int column, int localRow)
{
    return QPointF(16 * column + 7.5, 16 * localRow + 7.5);
}

using FileLayout::MapByte;

// The 16 x 16 picture of a map cell, without its outline's top row and left column.
QImage cellInside(const QImage& picture, int column, int localRow)
{
    return picture.copy(16 * column + 1, 16 * localRow + 1, 15, 15);
}

QImage stripTileHalved(const QImage& strip, int tile)
{
    QImage cell(16, 16, TileRaster::Format);
    TileRaster::CopyTileToCell(strip, tile, cell, 0, 0);
    return cell.copy(1, 1, 15, 15);
}

}  // namespace

// Undo, redo, replace and the tooltip, driven with
// real key and mouse events on the real main window.
class tst_Editing : public QObject {
    Q_OBJECT

    static QAction* action(MainWindowDriver& d, const char* name)
    {
        return d.window.findChild<QAction*>(QLatin1String(name));
    }
    static void key(MainWindowDriver& d, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(&d.window, k, modifiers);
    }

private slots:
    void undoRedoAcrossBlocks();
    void replaceWindow();
    void tooltipNamesTheCell();
};

// A fast stroke far right in block 2, then block 5 shown: undo brings block 2
// back into view as it was, redo paints the stroke again, byte for byte (what
// a save then writes is checked on the map document).
void tst_Editing::undoRedoAcrossBlocks()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QVERIFY(d.load());
    d.chooseBlock(2);
    d.bar("hsMap")->setValue(3000);
    const QImage original = d.mapPicture();
    d.pickTileFromStrip(0x2B);
    d.mapEvent(QEvent::MouseButtonPress, cellCentre(200, 5), Qt::LeftButton, Qt::LeftButton);
    d.move(cellCentre(203, 5), Qt::LeftButton);  // one report for four cells
    d.mapEvent(QEvent::MouseButtonRelease, cellCentre(203, 5), Qt::LeftButton, Qt::NoButton);
    const QByteArray painted = d.session.cartridge().image().bytes();
    QCOMPARE(action(d, "mnuEditUndo")->text(), QStringLiteral("&Undo Paint 4 Cells"));

    d.chooseBlock(5);
    d.bar("hsMap")->setValue(0);
    key(d, Qt::Key_Z);
    QCOMPARE(d.text("lblBlock"), QStringLiteral("2"));
    QCOMPARE(d.mapPicture(), original);
    const int left = d.bar("hsMap")->value() / 16;
    QVERIFY(left <= 200 && 200 < left + 28);  // the stroke's cells are in view
    QVERIFY(!action(d, "mnuEditUndo")->isEnabled());
    QCOMPARE(action(d, "mnuEditRedo")->text(), QStringLiteral("&Redo Paint 4 Cells"));

    key(d, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(cellInside(d.mapPicture(), 201, 5), stripTileHalved(d.session.tileStrip(), 0x2B));
    key(d, Qt::Key_Z);
    key(d, Qt::Key_Y);
    QCOMPARE(d.session.cartridge().image().bytes(), painted);
}

// Ctrl+R: tiles pre-filled (under the pointer, current), the count shown
// before confirming, and the replace only in the block shown.
void tst_Editing::replaceWindow()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QVERIFY(d.load());
    d.chooseBlock(3);
    d.pickTileFromStrip(0xE1);
    d.move(cellCentre(10, 10));
    const quint8 from = quint8(d.original[MapByte(3, 10, 10)]);
    const int count = int(d.original.mid(MapByte(3, 0, 0), 8192).count(char(from)));
    key(d, Qt::Key_R);
    QCOMPARE(d.modals.shown.size(), 1);
    QDialog* window = d.modals.shown.last();
    QCOMPARE(MainWindowDriver::textOf(window, QStringLiteral("txtFrom")), MapGeometry::TileReadout(from));
    QCOMPARE(MainWindowDriver::textOf(window, QStringLiteral("txtTo")), QStringLiteral("E1"));
    QCOMPARE(MainWindowDriver::textOf(window, QStringLiteral("lblCount")),
             QStringLiteral("%1 cells will change.").arg(count));
    MainWindowDriver::type(window, QStringLiteral("txtTo"), QStringLiteral("zz"));  // not hexadecimal: refused
    QCOMPARE(MainWindowDriver::textOf(window, QStringLiteral("txtTo")), QString());
    MainWindowDriver::type(window, QStringLiteral("txtTo"), QStringLiteral("e1"));
    MainWindowDriver::click(window, QStringLiteral("cmdReplace"));
    // Which bytes a replace touches is checked on the map document; here, as many as announced.
    QCOMPARE(Fixtures::Differences(
                 d.session.cartridge().image().bytes(),
                 d.original.mid(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart), 100000)
                 .size(),
             count);
    QCOMPARE(cellInside(d.mapPicture(), 10, 10), stripTileHalved(d.session.tileStrip(), 0xE1));
    QCOMPARE(action(d, "mnuEditUndo")->text(), QStringLiteral("&Undo Replace %1 Cells").arg(count));
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);  // the file waits for "Save Changes"
}

void tst_Editing::tooltipNamesTheCell()
{
    MainWindowDriver d;
    d.window.show();
    QVERIFY(d.load());
    d.chooseBlock(2);
    PictureBox* map = d.picMap();
    QHelpEvent help(QEvent::ToolTip, cellCentre(12, 13).toPoint(), map->mapToGlobal(cellCentre(12, 13).toPoint()));
    QCoreApplication::sendEvent(map, &help);
    const quint8 tile = quint8(d.original[MapByte(2, 13, 12)]);
    QCOMPARE(QToolTip::text(), QStringLiteral("Block 2 \u00b7 row 45, column 12 \u00b7 tile %1 \u00b7 offset 0x8D1C")
                                   .arg(MapGeometry::TileReadout(tile)));
}

QTEST_MAIN(tst_Editing)
#include "tst_Editing.moc"
