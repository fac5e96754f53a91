#include "core/CartridgeImage.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "core/TileRaster.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QtTest>

namespace {

// A cartridge whose map bytes are known: cell (c, r) of every block holds (c + r) % 64.
QByteArray knownMap()
{
    QByteArray bytes = Fixtures::Pattern(262160, 21);
    for (int b = 1; b <= 8; ++b) {
        for (int r = 0; r < 32; ++r) {
            for (int c = 0; c < 256; ++c) {
                bytes[MapGeometry::MapByteOffset(*MapGeometry::BlockStart(b), r, c)] = char((c + r) % 64);
            }
        }
    }
    return bytes;
}

QPointF cellCentre(int column, int localRow)
{
    return QPointF(16 * column + 7.5, 16 * localRow + 7.5);
}

} // namespace

// Painting, tile picking, the readouts and the hand-over of a location, driven
// with real mouse events on the real main window.
class tst_Painting : public QObject {
    Q_OBJECT

private:
    static QImage cellOf(const QImage& picture, int column, int localRow)
    {
        return picture.copy(16 * column, 16 * localRow, 16, 16);
    }
    static void selectTile(MainWindowDriver& d, int tile) { d.window.SelectTile(32.0 * tile); }

private slots:
    void movementFollowsPointer();
    void leftPressPaintsWithOutline_data();
    void leftPressPaintsWithOutline();
    void dragPaintsOnlyWithLeftButtonAlone_data();
    void dragPaintsOnlyWithLeftButtonAlone();
    void dragOutsideThePictureWritesNothing_data();
    void dragOutsideThePictureWritesNothing();
    void pressActsOnItsOwnCellAfterScroll();
    void rightPressPicksTile_data();
    void rightPressPicksTile();
    void paintTwoBlocksAndSave();
};

void tst_Painting::movementFollowsPointer()
{
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    d.chooseBlock(2);
    const QByteArray image = d.window.cartridge().image().bytes();
    d.move(QPointF(40, 20));
    QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpMap"))->pos(), QPoint(32, 16));
    QCOMPARE(d.text("lblPoint"), QStringLiteral("(002 ,033)"));
    QCOMPARE(d.text("lblLon"), QStringLiteral("033"));
    QCOMPARE(d.text("lblLat"), QStringLiteral("002"));
    QCOMPARE(d.window.cartridge().image().bytes(), image);
}

void tst_Painting::leftPressPaintsWithOutline_data()
{
    QTest::addColumn<bool>("grid");
    QTest::newRow("grid on") << true;
    QTest::newRow("grid off") << false;
}

void tst_Painting::leftPressPaintsWithOutline()
{
    QFETCH(bool, grid);
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    d.window.findChild<QCheckBox*>(QStringLiteral("chkGrid"))->setChecked(grid);
    d.chooseBlock(1);
    selectTile(d, 0x0A);
    QCOMPARE(d.text("lblTile"), QStringLiteral("0A"));
    const QImage before = d.window.mapPicture();
    const QByteArray imageBefore = d.window.cartridge().image().bytes();

    d.press(cellCentre(5, 3));

    QCOMPARE(d.window.cartridge().image().at(0x4315), quint8(10));
    const QByteArray imageAfter = d.window.cartridge().image().bytes();
    QCOMPARE(Fixtures::Differences(imageAfter, imageBefore), QList<qint64>{0x4315 - CartridgeImage::FirstIndex});
    // The cell shows tile 10 inside a red box from (80, 48) to (96, 64).
    QImage expected = before;
    TileRaster::CopyTileToCell(d.window.tileStrip(), 10, expected, 80, 48);
    TileRaster::DrawCellOutline(expected, 80, 48, QColor(255, 0, 0));
    QCOMPARE(d.window.mapPicture(), expected);
    QCOMPARE(d.window.mapPicture().pixel(80, 50), qRgb(255, 0, 0));
    QCOMPARE(d.window.mapPicture().pixel(96, 50), qRgb(255, 0, 0));
}

void tst_Painting::dragPaintsOnlyWithLeftButtonAlone_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("held");
    QTest::addColumn<bool>("paints");
    QTest::newRow("left") << int(Qt::LeftButton) << int(Qt::LeftButton) << true;
    QTest::newRow("right") << int(Qt::RightButton) << int(Qt::RightButton) << false;
    // The right button joins a left press: the press paints its cell, the drag nothing.
    QTest::newRow("left and right") << int(Qt::LeftButton) << int(Qt::LeftButton | Qt::RightButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << int(Qt::MiddleButton) << false;
}

void tst_Painting::dragPaintsOnlyWithLeftButtonAlone()
{
    QFETCH(int, button);
    QFETCH(int, held);
    QFETCH(bool, paints);
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    d.chooseBlock(4);
    selectTile(d, 0xC7);
    const qint32 start = *MapGeometry::BlockStart(4);
    CartridgeImage& image = d.window.cartridge().image();
    const QByteArray before = image.bytes();

    const QList<QPoint> cells{{10, 2}, {11, 2}, {11, 3}, {12, 3}, {13, 3}, {14, 4}};
    d.mapEvent(QEvent::MouseButtonPress, cellCentre(10, 2), Qt::MouseButton(button), Qt::MouseButtons(held));
    for (const QPoint& cell : cells) {
        d.move(cellCentre(cell.x(), cell.y()), Qt::MouseButtons(held));
    }
    d.mapEvent(QEvent::MouseButtonRelease, cellCentre(14, 4), Qt::MouseButton(button), Qt::NoButton);

    QList<qint64> changed;
    const bool pressPaints = button == Qt::LeftButton;
    if (!paints && pressPaints) {
        changed << MapGeometry::MapByteOffset(start, 2, 10) - CartridgeImage::FirstIndex;
    }
    for (const QPoint& cell : paints ? cells : QList<QPoint>{}) {
        changed << MapGeometry::MapByteOffset(start, cell.y(), cell.x()) - CartridgeImage::FirstIndex;
        if (paints) {
            QCOMPARE(image.at(MapGeometry::MapByteOffset(start, cell.y(), cell.x())), quint8(0xC7));
        }
    }
    QCOMPARE(Fixtures::Differences(image.bytes(), before), changed);
    QCOMPARE(d.text("lblLat"), QStringLiteral("014"));  // the readouts followed in every case
}

void tst_Painting::dragOutsideThePictureWritesNothing_data()
{
    // From the edge cell next to it, so the stroke's line holds no other cell of the block.
    QTest::addColumn<QPoint>("edge");
    QTest::addColumn<QPointF>("position");
    QTest::newRow("left of the picture") << QPoint(0, 2) << QPointF(-20, 40);
    QTest::newRow("above") << QPoint(2, 0) << QPointF(40, -17);
    QTest::newRow("right of the picture") << QPoint(255, 2) << QPointF(4096.5, 40);
    QTest::newRow("below") << QPoint(2, 31) << QPointF(40, 512);
    QTest::newRow("far away") << QPoint(0, 31) << QPointF(-1e7, 1e7);
}

void tst_Painting::dragOutsideThePictureWritesNothing()
{
    QFETCH(QPoint, edge);
    QFETCH(QPointF, position);
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    selectTile(d, 0x3F);
    d.press(cellCentre(edge.x(), edge.y()));
    const QByteArray before = d.window.cartridge().image().bytes();
    const QImage picture = d.window.mapPicture();
    const QString readout = d.text("lblPoint");
    d.mapEvent(QEvent::MouseButtonPress, cellCentre(edge.x(), edge.y()), Qt::LeftButton, Qt::LeftButton);
    d.move(position, Qt::LeftButton);
    QCOMPARE(d.window.cartridge().image().bytes(), before);
    QCOMPARE(d.window.mapPicture(), picture);
    QCOMPARE(d.text("lblPoint"), readout);
}

void tst_Painting::pressActsOnItsOwnCellAfterScroll()
{
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    selectTile(d, 0x21);
    d.move(cellCentre(3, 3));  // the readouts now name column 3
    d.chooseBlock(6);  // block changes under a pointer that does not move
    d.press(cellCentre(30, 7));
    const qint32 start = *MapGeometry::BlockStart(6);
    QCOMPARE(d.window.cartridge().image().at(MapGeometry::MapByteOffset(start, 7, 30)), quint8(0x21));
    QCOMPARE(d.window.cartridge().image().at(MapGeometry::MapByteOffset(start, 7, 3)), quint8((3 + 7) % 64));
    QCOMPARE(d.text("lblPoint"), QStringLiteral("(030 ,167)"));
}

void tst_Painting::rightPressPicksTile_data()
{
    QTest::addColumn<int>("tile");
    QTest::addColumn<int>("scroll");
    QTest::newRow("tile 3") << 3 << 96;
    QTest::newRow("tile 243") << 243 << 7776;
    QTest::newRow("tile 244") << 244 << 7776;
    QTest::newRow("tile 255") << 255 << 7776;
}

void tst_Painting::rightPressPicksTile()
{
    QFETCH(int, tile);
    QFETCH(int, scroll);
    QByteArray cartridge = knownMap();
    const qint32 index = MapGeometry::MapByteOffset(*MapGeometry::BlockStart(1), 4, 9);
    cartridge[index] = char(tile);
    MainWindowDriver d(cartridge);
    QVERIFY(d.load());
    const QByteArray before = d.window.cartridge().image().bytes();
    d.press(cellCentre(9, 4), Qt::RightButton);
    QCOMPARE(d.text("lblTile"), MapGeometry::TileReadout(tile));
    QCOMPARE(d.window.currentTile(), std::optional<int>(tile));
    QCOMPARE(d.bar("vsTiles")->value(), scroll);
    QCOMPARE(d.window.findChild<PictureBox*>(QStringLiteral("picTileset"))->y(), -scroll);
    QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 32 * tile));
    QCOMPARE(d.window.cartridge().image().bytes(), before);
}

void tst_Painting::paintTwoBlocksAndSave()
{
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    selectTile(d, 0x30);
    d.press(cellCentre(0, 0));
    d.chooseBlock(8);
    selectTile(d, 0xFF);
    d.press(cellCentre(255, 31));
    d.press(cellCentre(100, 17));
    d.window.mnuFileSave_Click();
    QByteArray expected = d.original;
    expected[0x4010] = char(0x30);
    expected[0x2200F] = char(0xFF);
    expected[MapGeometry::MapByteOffset(*MapGeometry::BlockStart(8), 17, 100)] = char(0xFF);
    const QByteArray after = Fixtures::ReadAll(d.path);
    QCOMPARE(Fixtures::Differences(after, d.original),
             (QList<qint64>{0x4010, MapGeometry::MapByteOffset(*MapGeometry::BlockStart(8), 17, 100), 0x2200F}));
    QCOMPARE(after, expected);
}

QTEST_MAIN(tst_Painting)
#include "tst_Painting.moc"
