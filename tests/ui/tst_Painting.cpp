#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"

#include <QCheckBox>
#include <QScreen>
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
                bytes[FileLayout::MapByte(b, r, c)] = char((c + r) % 64);
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
    static void selectTile(MainWindowDriver& d, int tile) { d.pickTileFromStrip(tile); }

private slots:
    void mouseButtons_data();
    void mouseButtons();
    void pressActsOnItsOwnCellAfterScroll();
};

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

// A painted cell shows the tile inside a box in the chosen grid colour, also
// with the grid off, and a repaint of just that box puts its pixels where
// they belong. Which cells a stroke paints is the map document's.
void tst_Painting::mouseButtons()
{
    QFETCH(bool, picking);
    QFETCH(bool, drag);
    QFETCH(int, buttons);
    QFETCH(QString, effect);
    QByteArray cartridge = knownMap();
    cartridge[FileLayout::MapByte(2, 2, 10)] = char(244);  // the pressed cell
    MainWindowDriver d(cartridge);
    QVERIFY(d.showAndLoad());
    const QColor green(0, 200, 50);
    d.platform.colorAnswers << green;
    QTest::mouseClick(d.window.findChild<QWidget*>(QStringLiteral("picGridColor")), Qt::LeftButton);
    d.window.findChild<QCheckBox*>(QStringLiteral("chkGrid"))->setChecked(false);
    d.chooseBlock(2);
    selectTile(d, 0xC7);
    QPointer<QDialog> items;
    if (picking) {
        items = d.open("mnuGameItems");
        MainWindowDriver::click(items, QStringLiteral("cmdLocation_2"));
    }
    const QByteArray before = d.session.cartridge().image().bytes();
    QImage expected = d.mapPicture();
    const QList<QPoint> cells = drag ? QList<QPoint>{{11, 2}, {12, 3}} : QList<QPoint>{{10, 2}};
    // The cell marker already there, so that a press moves nothing a repaint could follow.
    d.move(cellCentre(cells.first().x(), cells.first().y()));
    QCoreApplication::processEvents();
    for (const QPoint& cell : cells) {
        if (drag) {
            d.move(cellCentre(cell.x(), cell.y()), Qt::MouseButtons(buttons));
        } else {
            d.press(cellCentre(cell.x(), cell.y()), Qt::MouseButton(buttons));
        }
    }
    QList<qint64> painted;
    for (const QPoint& cell : effect == QLatin1String("paint") ? cells : QList<QPoint>{}) {
        painted << FileLayout::MapByte(2, cell.y(), cell.x()) - FileLayout::ImageStart;
        TileRaster::CopyTileToCell(d.session.tileStrip(), 0xC7, expected, 16 * cell.x(), 16 * cell.y());
        TileRaster::DrawCellOutline(expected, 16 * cell.x(), 16 * cell.y(), green);
    }
    QCOMPARE(Fixtures::Differences(d.session.cartridge().image().bytes(), before), painted);
    QCOMPARE(d.mapPicture(), expected);  // drawn from the stored bytes
    // On screen, once the repaint the change asked for is done (inside the cell marker).
    QCoreApplication::processEvents();
    const QRect inside(16 * cells.last().x() + 2, 16 * cells.last().y() + 2, 13, 13);
    const QPoint at = d.picMap()->mapTo(&d.window, inside.topLeft());
    const QPixmap shown = d.window.screen()->grabWindow(d.window.winId(), at.x(), at.y(), 13, 13);
    QCOMPARE(shown.toImage().convertToFormat(expected.format()), expected.copy(inside));
    QCOMPARE(d.session.currentTile(), std::optional<quint8>(effect == QLatin1String("tile") ? 244 : 0xC7));
    if (effect == QLatin1String("tile")) {
        // The palette marks the picked tile and scrolls to it, or as far as it goes (tile 243).
        QCOMPARE(d.text("lblTile"), QStringLiteral("F4"));
        QCOMPARE(d.bar("vsTiles")->value(), 7776);
        QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 32 * 244));
    }
    if (picking) {
        QCOMPARE(MainWindowDriver::textOf(items, QStringLiteral("lblSextant_2")) != QStringLiteral("(034, 010)"),
                 effect != QLatin1String("location"));
    }
    QCOMPARE(d.text("lblLat"), QString(drag ? "012" : "010"));  // the readouts follow in every case
}

void tst_Painting::pressActsOnItsOwnCellAfterScroll()
{
    MainWindowDriver d(knownMap());
    QVERIFY(d.load());
    selectTile(d, 0x21);
    const QByteArray image = d.session.cartridge().image().bytes();
    d.move(QPointF(56, 90));  // a movement marks and names its cell, and writes nothing
    d.move(QPointF(-20, 90), Qt::LeftButton);  // a drag outside the picture moves nothing, writes nothing
    QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpMap"))->pos(), QPoint(48, 80));
    QCOMPARE(d.text("lblPoint"), QStringLiteral("(003 ,005)"));
    QCOMPARE(d.text("lblLon"), QStringLiteral("005"));
    QCOMPARE(d.session.cartridge().image().bytes(), image);
    d.chooseBlock(6);  // block changes under a pointer that does not move
    d.press(cellCentre(30, 7));
    QCOMPARE(d.session.image().at(FileLayout::MapByte(6, 7, 30)), quint8(0x21));
    QCOMPARE(d.session.image().at(FileLayout::MapByte(6, 7, 3)), quint8((3 + 7) % 64));
    QCOMPARE(d.text("lblPoint"), QStringLiteral("(030 ,167)"));
}

QTEST_MAIN(tst_Painting)
#include "tst_Painting.moc"
