#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"

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

}  // namespace

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
    void mouseButtons_data();
    void mouseButtons();
    void dragOutsideThePictureWritesNothing_data();
    void dragOutsideThePictureWritesNothing();
    void pressActsOnItsOwnCellAfterScroll();
    void rightPressPicksTile_data();
    void rightPressPicksTile();
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

// The cell shows the tile inside a box in the grid colour the user chose, and
// a repaint of just that box puts its pixels where they belong.
void tst_Painting::leftPressPaintsWithOutline()
{
    QFETCH(bool, grid);
    MainWindowDriver d(knownMap());
    QVERIFY(d.showAndLoad());
    const QColor green(0, 200, 50);
    d.platform.colorAnswers << green;
    d.window.picGridColor_Click();
    d.window.findChild<QCheckBox*>(QStringLiteral("chkGrid"))->setChecked(grid);
    d.chooseBlock(1);
    selectTile(d, 0x0A);
    QCOMPARE(d.text("lblTile"), QStringLiteral("0A"));
    const QImage before = d.window.mapPicture();
    const QByteArray imageBefore = d.window.cartridge().image().bytes();

    d.press(cellCentre(5, 3));

    QCOMPARE(d.window.cartridge().image().at(0x4315), quint8(10));
    QCOMPARE(Fixtures::Differences(d.window.cartridge().image().bytes(), imageBefore), QList<qint64>{0x4315 - 16400});
    QImage expected = before;
    TileRaster::CopyTileToCell(d.window.tileStrip(), 10, expected, 80, 48);
    TileRaster::DrawCellOutline(expected, 80, 48, green);
    QCOMPARE(d.window.mapPicture(), expected);
    QCOMPARE(d.window.mapPicture().pixel(96, 50), green.rgb());

    const QRect box(80, 48, 17, 17);
    QImage shown(d.picMap()->size(), expected.format());
    shown.fill(Qt::magenta);
    d.picMap()->render(&shown, box.topLeft(), QRegion(box), {});  // the picture alone, without the cell marker
    QCOMPARE(shown.copy(box), expected.copy(box));
    QCOMPARE(shown.pixel(79, 47), qRgb(255, 0, 255));
}

void tst_Painting::mouseButtons_data()
{
    QTest::addColumn<bool>("picking");  // the items window waits for a location
    QTest::addColumn<bool>("drag");  // movements with the buttons held, else a press
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("effect");  // "paint", "tile", "location" or nothing
    const int left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
    for (bool picking : {false, true}) {
        const char* mode = picking ? "pick mode" : "painting mode";
        QTest::addRow("%s, left press", mode) << picking << false << left << (picking ? "location" : "paint");
        QTest::addRow("%s, right press", mode) << picking << false << right << (picking ? "location" : "tile");
        QTest::addRow("%s, middle press", mode) << picking << false << middle << (picking ? "location" : "");
        QTest::addRow("%s, left drag", mode) << picking << true << left << "paint";
        QTest::addRow("%s, right drag", mode) << picking << true << right << "";
        QTest::addRow("%s, left and right drag", mode) << picking << true << (left | right) << "";
        QTest::addRow("%s, middle drag", mode) << picking << true << middle << "";
    }
}

void tst_Painting::mouseButtons()
{
    QFETCH(bool, picking);
    QFETCH(bool, drag);
    QFETCH(int, buttons);
    QFETCH(QString, effect);
    MainWindowDriver d(knownMap());
    QVERIFY(d.showAndLoad());
    d.chooseBlock(2);
    selectTile(d, 0xC7);
    QPointer<QDialog> items;
    if (picking) {
        items = d.open(&frmMain::mnuGameItems_Click);
        MainWindowDriver::click(items, QStringLiteral("cmdLocation_2"));
    }
    const QByteArray before = d.window.cartridge().image().bytes();
    const QList<QPoint> cells = drag ? QList<QPoint>{{11, 2}, {12, 3}} : QList<QPoint>{{10, 2}};
    for (const QPoint& cell : cells) {
        if (drag) {
            d.move(cellCentre(cell.x(), cell.y()), Qt::MouseButtons(buttons));
        } else {
            d.press(cellCentre(cell.x(), cell.y()), Qt::MouseButton(buttons));
        }
    }
    QList<qint64> painted;
    for (const QPoint& cell : effect == QLatin1String("paint") ? cells : QList<QPoint>{}) {
        painted << MapGeometry::MapByteOffset(*MapGeometry::BlockStart(2), cell.y(), cell.x()) - 16400;
    }
    QCOMPARE(Fixtures::Differences(d.window.cartridge().image().bytes(), before), painted);
    for (qint64 at : painted) {
        QCOMPARE(quint8(d.window.cartridge().image().bytes()[at]), quint8(0xC7));
    }
    QCOMPARE(d.window.currentTile(), std::optional<int>(effect == QLatin1String("tile") ? (10 + 2) % 64 : 0xC7));
    if (picking) {
        QCOMPARE(MainWindowDriver::textOf(items, QStringLiteral("lblSextant_2")) != QStringLiteral("(034, 010)"),
                 effect != QLatin1String("location"));
    }
    QCOMPARE(d.text("lblLat"), QString(drag ? "012" : "010"));  // the readouts follow in every case
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

QTEST_MAIN(tst_Painting)
#include "tst_Painting.moc"
