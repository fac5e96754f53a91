#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/TileRaster.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"

#include <QCheckBox>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

using D = MainWindowDriver;
using FileLayout::MapByte;

// The map view and palette of the real main window, driven with real mouse,
// wheel and key events: the load, scrolling and zoom, and what each mouse
// button does on the map.
class tst_MapView : public QObject {
    Q_OBJECT

private slots:
    // After a load tile 0 is current: marked in the palette and shown doubled in the enlarged view.
    void loadChoosesTileZero()
    {
        D d;
        QVERIFY(d.load());
        QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 0));
        QCOMPARE(d.session.currentTile(), std::optional<quint8>(0));
        const QImage zoom = d.window.findChild<PictureBox*>(QStringLiteral("picTileZoom"))->backing();
        QCOMPARE(zoom.pixel(63, 63), d.session.tileStrip().pixel(31, 31));
        QCOMPARE(zoom.pixel(0, 0), d.session.tileStrip().pixel(0, 0));
    }

    void scrolling_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QList<int>>("notches");  // wheel notches over the bar's view, up when positive
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("value");  // without notches the bar is set to it
        QTest::addColumn<int>("position");
        QTest::newRow("hsMap 20") << "hsMap" << QList<int>{} << 0 << 20 << -16;
        QTest::newRow("vsTiles 31") << "vsTiles" << QList<int>{} << 0 << 31 << 0;
        // One wheel notch is three small steps.
        QTest::newRow("map, 2 down 1 up") << "vsMap" << QList<int>{-1, -1, 1} << 0 << 48 << -48;
        QTest::newRow("map, Shift, 2 down 1 up")
            << "hsMap" << QList<int>{-1, -1, 1} << int(Qt::ShiftModifier) << 48 << -48;
        QTest::newRow("palette, 2 down 1 up") << "vsTiles" << QList<int>{-2, 1} << 0 << 96 << -96;
    }
    void scrolling()
    {
        QFETCH(QString, bar);
        QFETCH(QList<int>, notches);
        QFETCH(int, modifiers);
        QFETCH(int, value);
        D d;
        QVERIFY(d.load());
        QScrollBar* scrollBar = d.bar(qPrintable(bar));
        const bool palette = bar == u"vsTiles";
        if (notches.isEmpty()) {
            scrollBar->setValue(value);
        }
        QApplication::setWheelScrollLines(3);
        for (const int notch : notches) {
            D::wheel(d.window.findChild<QWidget*>(palette ? "picHolder_00" : "picHolder_01"), QPoint(10, 10), notch,
                     Qt::KeyboardModifiers(modifiers));
        }
        QCOMPARE(scrollBar->value(), value);  // the bar itself keeps its value
        const QPoint picture = d.window.findChild<QWidget*>(palette ? "picTileset" : "picMap")->pos();
        QTEST(bar == u"hsMap" ? picture.x() : picture.y(), "position");
    }

    // Ctrl++, Ctrl+0 and Ctrl+wheel zoom the map in whole pixels, notch by
    // notch both ways; the cell under the wheel stays under it, and a press
    // still paints the cell it is on.
    void zoomKeepsPointerOnItsCell()
    {
        D d;
        QVERIFY(d.showAndLoad());
        PictureBox* map = d.picMap();
        QTest::keyClick(&d.window, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(map->size(), QSize(8192, 1024));
        QWidget* view = d.window.findChild<QWidget*>(QStringLiteral("picHolder_01"));
        const QPoint over(200, 170);
        const auto cellUnder = [&] {
            const QPoint at = map->mapFrom(view, over);
            return QPoint(at.x() / int(16 * map->zoom()), at.y() / int(16 * map->zoom()));
        };
        const QPoint before = cellUnder();
        for (const auto& [notch, zoom] : QList<QPair<int, double>>{{1, 3}, {1, 4}, {1, 4}, {-1, 3}}) {
            D::wheel(view, over, notch, Qt::ControlModifier);
            QCOMPARE(map->zoom(), zoom);
            QCOMPARE(cellUnder(), before);
        }
        d.pickTileFromStrip(3);
        QTest::mouseClick(map, Qt::LeftButton, {}, map->mapFrom(view, over));
        QCOMPARE(d.session.image().at(MapByte(1, before.y(), before.x())), quint8(3));
        QTest::keyClick(&d.window, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(map->size(), QSize(4096, 512));
    }

    void mouseButtons_data()
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
    // A painted cell shows the tile in a box of the chosen grid colour, also with the grid
    // off, and a repaint of just that box puts its pixels where they belong, on the screen.
    void mouseButtons()
    {
        QFETCH(bool, picking);
        QFETCH(bool, drag);
        QFETCH(int, buttons);
        QFETCH(QString, effect);
        QByteArray cartridge = Fixtures::Pattern(262160, 21);
        cartridge[MapByte(2, 2, 10)] = char(244);  // the pressed cell
        D d(cartridge);
        QVERIFY(d.showAndLoad());
        const QColor green(0, 200, 50);
        d.platform.colorAnswers << green;
        QTest::mouseClick(d.window.findChild<QWidget*>(QStringLiteral("picGridColor")), Qt::LeftButton);
        d.window.findChild<QCheckBox*>(QStringLiteral("chkGrid"))->setChecked(false);
        d.chooseBlock(2);
        d.pickTileFromStrip(0xC7);
        QPointer<QDialog> items;
        if (picking) {
            items = d.open("mnuGameItems");
            D::click(items, QStringLiteral("cmdLocation_2"));
        }
        const QByteArray before = d.session.image().bytes();
        QImage expected = d.mapPicture();
        const QList<QPoint> cells = drag ? QList<QPoint>{{11, 2}, {12, 3}} : QList<QPoint>{{10, 2}};
        // The cell marker already there, so that a press moves nothing a repaint could follow.
        d.move(D::cellCentre(cells.first().x(), cells.first().y()));
        QCoreApplication::processEvents();
        for (const QPoint& cell : cells) {
            if (drag) {
                d.move(D::cellCentre(cell.x(), cell.y()), Qt::MouseButtons(buttons));
            } else {
                d.press(D::cellCentre(cell.x(), cell.y()), Qt::MouseButton(buttons));
            }
        }
        QList<qint64> painted;
        for (const QPoint& cell : effect == u"paint" ? cells : QList<QPoint>{}) {
            painted << MapByte(2, cell.y(), cell.x()) - FileLayout::ImageStart;
            TileRaster::CopyTileToCell(d.session.tileStrip(), 0xC7, expected, 16 * cell.x(), 16 * cell.y());
            TileRaster::DrawCellOutline(expected, 16 * cell.x(), 16 * cell.y(), green);
        }
        QCOMPARE(Fixtures::Differences(d.session.image().bytes(), before), painted);
        QCOMPARE(d.mapPicture(), expected);  // drawn from the stored bytes
        // On screen, once the repaint the change asked for is done (inside the cell marker).
        QCoreApplication::processEvents();
        const QRect inside(16 * cells.last().x() + 2, 16 * cells.last().y() + 2, 13, 13);
        const QPoint at = d.picMap()->mapTo(&d.window, inside.topLeft());
        const QPixmap shown = d.window.screen()->grabWindow(d.window.winId(), at.x(), at.y(), 13, 13);
        QCOMPARE(shown.toImage().convertToFormat(expected.format()), expected.copy(inside));
        QCOMPARE(d.session.currentTile(), std::optional<quint8>(effect == u"tile" ? 244 : 0xC7));
        if (effect == u"tile") {
            // The palette marks the picked tile and scrolls to it, or as far as it goes (tile 243).
            QCOMPARE(d.text("lblTile"), QStringLiteral("F4"));
            QCOMPARE(d.bar("vsTiles")->value(), 7776);
            QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 32 * 244));
        }
        if (picking) {
            QCOMPARE(D::textOf(items, QStringLiteral("lblSextant_2")) != QStringLiteral("(034, 010)"),
                     effect != u"location");
        }
        QCOMPARE(d.text("lblLat"), QString(drag ? "012" : "010"));  // the readouts follow in every case
    }

    // A movement marks and names its cell and writes nothing; a press acts on
    // the cell under it in the block shown, up to the block's last row and column.
    void pressActsOnItsOwnCell()
    {
        D d;
        QVERIFY(d.load());
        d.pickTileFromStrip(0x21);
        const QByteArray image = d.session.image().bytes();
        d.move(QPointF(56, 90));
        d.move(QPointF(-20, 90), Qt::LeftButton);  // a drag outside the picture moves nothing, writes nothing
        QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpMap"))->pos(), QPoint(48, 80));
        QCOMPARE(d.text("lblPoint"), QStringLiteral("(003 ,005)"));
        QCOMPARE(d.text("lblLon"), QStringLiteral("005"));
        QCOMPARE(d.session.image().bytes(), image);
        d.chooseBlock(6);  // block changes under a pointer that does not move
        d.press(D::cellCentre(30, 7));
        QCOMPARE(d.session.image().at(MapByte(6, 7, 30)), quint8(0x21));
        QCOMPARE(d.text("lblPoint"), QStringLiteral("(030 ,167)"));
        d.chooseBlock(8);
        d.press(QPointF(4095.5, 511.5));
        QCOMPARE(
            Fixtures::Differences(d.session.image().bytes(), image),
            (QList<qint64>{MapByte(6, 7, 30) - FileLayout::ImageStart, MapByte(8, 31, 255) - FileLayout::ImageStart}));
        QCOMPARE(d.text("lblPoint"), QStringLiteral("(255 ,255)"));
    }

    // View > Locations: off at first, the cell shows its tile; on, Ferrow's marker stands on its
    // cell in the town colour; off again, the tile is back.
    void locationMarkers()
    {
        QByteArray cartridge = Fixtures::Pattern(262160, 5);
        const auto ferrow = FileLayout::LocationOffsets(FileLayout::Route::Towns)[0];
        cartridge[ferrow.first] = 5;
        cartridge[ferrow.second] = 3;
        D d(cartridge);
        QVERIFY(d.showAndLoad());
        const QPoint centre = d.cellCentre(5, 3).toPoint();
        const auto shown = [&] { return d.picMap()->grab().toImage().pixelColor(centre); };
        QCOMPARE(shown(), d.mapPicture().pixelColor(centre));
        for (const bool on : {true, false}) {
            d.action("mnuViewLocations")->trigger();
            QCOMPARE(shown(), on ? QColor(255, 120, 40) : d.mapPicture().pixelColor(centre));
        }
    }
};

QTEST_MAIN(tst_MapView)
#include "tst_MapView.moc"
