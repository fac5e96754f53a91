#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "ui/WorldView.h"
#include "ui/frmWorldMap.h"

#include <QAccessible>
#include <QCheckBox>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>

using D = MainWindowDriver;
using FileLayout::MapByte;
using MapGeometry::TileReadout;

// The map view and palette of the real main window, driven with real mouse,
// wheel and key events: the load, scrolling and zoom, what each mouse
// button does on the map, and the window without a mouse: Tab's order, the
// palette's keys, the cell cursor moved, drawn, applied and heard, there and
// in the world map.
class tst_MapView : public QObject {
    Q_OBJECT

private slots:
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

    // Ctrl++, Ctrl+0 and Ctrl+wheel zoom the map in whole pixels, notch by notch both ways;
    // the cell under the wheel stays under it, also at the view's corner, where the bars keep their values.
    void zoomKeepsPointerOnItsCell()
    {
        D d;
        QVERIFY(d.showAndLoad());
        PictureBox* map = d.picMap();
        QTest::keyClick(&d.window, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(map->size(), QSize(8192, 1024));
        QWidget* view = d.window.findChild<QWidget*>(QStringLiteral("picHolder_01"));
        const auto cellUnder = [&](QPoint over) {
            const QPoint at = map->mapFrom(view, over);
            return QPoint(at.x() / int(16 * map->zoom()), at.y() / int(16 * map->zoom()));
        };
        const QPoint over(200, 170);
        using Step = std::tuple<int, double, QPoint>;  // notches, zoom after, where
        const QList<Step> steps{{1, 3, over}, {1, 4, over}, {1, 4, over}, {-1, 3, over}, {-1, 2, QPoint(0, 0)}};
        for (const auto& [notch, zoom, at] : steps) {
            const QPoint under = cellUnder(at);
            D::wheel(view, at, notch, Qt::ControlModifier);
            QCOMPARE(map->zoom(), zoom);
            QCOMPARE(cellUnder(at), under);
        }
        QTest::keyClick(&d.window, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(map->size(), QSize(4096, 512));
    }

    // After a load tile 0 is current: marked in the palette, shown doubled in the enlarged view.
    // Block 6 at twice the size, on the screen: a cell painted with the grid off, in a box of the
    // grid colour; the selection's outline and a floating paste's frame over exactly their cells;
    // the paste placed; the marker and the readouts follow the pointer, not a drag off the picture.
    // A right press marks the cell's tile in the palette, scrolled to it. The last pixel is the last cell.
    void block6AtTwiceTheSize()
    {
        QByteArray cartridge = Fixtures::Pattern(262160, 21);
        cartridge[MapByte(6, 3, 5)] = char(244);
        D d(cartridge);
        QVERIFY(d.showAndLoad());
        QCOMPARE(d.window.findChild<QObject*>(QStringLiteral("cboBlock"))->property("currentText"),
                 QVariant("1-Block #1"));
        QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 0));
        const QImage zoom = d.window.findChild<PictureBox*>(QStringLiteral("picTileZoom"))->backing();
        QVERIFY(d.session.currentTile() == 0 && zoom.pixel(63, 63) == d.session.tileStrip().pixel(31, 31) &&
                zoom.pixel(0, 0) == d.session.tileStrip().pixel(0, 0));
        const QByteArray before = d.session.image().bytes();
        bool progress = false;  // the window's title shows a drawing's progress, then the title again
        d.platform.onProcessEvents = [&](int) { progress |= d.window.windowTitle().startsWith("Loading Map - ("); };
        d.chooseBlock(6);
        d.platform.onProcessEvents = nullptr;
        QVERIFY(progress && d.window.windowTitle() == EditorSession::Title());
        d.window.findChild<QCheckBox*>(QStringLiteral("chkGrid"))->setChecked(false);
        QTest::keyClick(&d.window, Qt::Key_Plus, Qt::ControlModifier);
        d.bar("hsMap")->setValue(0);
        d.bar("vsMap")->setValue(0);
        const auto at = [](int column, int row) { return QPointF(32 * column + 9, 32 * row + 9); };
        const auto shown = [&d] {  // columns 2 to 5, rows 3 to 5, on the screen
            QCoreApplication::processEvents();
            const QPoint corner = d.picMap()->mapTo(&d.window, QPoint(64, 96));
            const QPixmap grab = d.window.screen()->grabWindow(d.window.winId(), corner.x(), corner.y(), 128, 96);
            return grab.toImage().convertToFormat(TileRaster::Format);
        };
        d.pickTileFromStrip(0x41);
        d.press(at(3, 3));
        d.move(at(9, 9));  // the cell marker out of the way
        d.move(QPointF(-40, 90), Qt::LeftButton);  // a drag outside the picture moves nothing, writes nothing
        QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpMap"))->pos(), QPoint(288, 288));
        QCOMPARE(d.text("lblPoint"), QStringLiteral("(009 ,169)"));
        QCOMPARE(d.session.image().at(MapByte(6, 3, 3)), quint8(0x41));
        QCOMPARE(d.mapPicture().pixel(48, 48), qRgb(255, 0, 0));
        const QImage plain = shown();
        QCOMPARE(plain, d.mapPicture().copy(32, 48, 64, 48).scaled(128, 96));

        d.session.setSelection(QRect(3, 164, 2, 1));  // local row 4
        const QImage selected = shown();
        const QRect outline(32, 32, 64, 32);
        for (int y = 0; y < 96; ++y) {
            for (int x = 0; x < 128; ++x) {
                const QRgb pixel = selected.pixel(x, y);
                QVERIFY(outline.contains(x, y) && !outline.adjusted(1, 1, -1, -1).contains(x, y)
                            ? pixel == qRgb(255, 255, 255) || pixel == qRgb(0, 0, 0)
                            : pixel == plain.pixel(x, y));
            }
        }
        QVERIFY(d.session.copy());
        d.session.paste();
        d.move(at(2, 5));
        const QImage floating = shown();
        int frame[2] = {0, 0};  // its yellow pixels outside and inside its cells
        for (int y = 0; y < 96; ++y) {
            for (int x = 0; x < 128; ++x) {
                frame[QRect(0, 64, 64, 32).contains(x, y)] += floating.pixel(x, y) == qRgb(255, 220, 0);
            }
        }
        QVERIFY(frame[0] == 0 && frame[1] > 100);
        d.press(at(2, 5));
        QCOMPARE(d.session.image().at(MapByte(6, 5, 2)), d.session.image().at(MapByte(6, 4, 3)));
        QCOMPARE(d.session.image().at(MapByte(6, 5, 3)), d.session.image().at(MapByte(6, 4, 4)));

        d.press(at(5, 3), Qt::RightButton);
        QCOMPARE(d.text("lblTile"), QStringLiteral("F4"));
        QCOMPARE(d.bar("vsTiles")->value(), 7776);  // as far as it goes: tile 243 at the top
        QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 32 * 244));
        d.chooseBlock(8);
        d.press(QPointF(8191.5, 1023.5));  // the block's last pixel: its last cell
        QCOMPARE(d.text("lblPoint"), QStringLiteral("(255 ,255)"));
        QList<qint64> changed;
        for (const qint64 at : {MapByte(6, 3, 3), MapByte(6, 5, 2), MapByte(6, 5, 3), MapByte(8, 31, 255)}) {
            changed << at - FileLayout::ImageStart;
        }
        QCOMPARE(Fixtures::Differences(d.session.image().bytes(), before), changed);
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

    void withoutMouse()
    {
        const auto value = [](auto* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Value); };
        D d;
        QVERIFY(d.showAndLoad());
        d.bar("vsMap")->setValue(48);  // rows 3 and on in sight when Tab reaches the map
        auto* toolBar = d.window.findChild<QToolBar*>("tbTools");
        toolBar->widgetForAction(toolBar->actions().first())->setFocus();
        QStringList order;
        for (int i = 0; i < 15; ++i) {
            QWidget* focused = QApplication::focusWidget();
            order << (focused->objectName().isEmpty() ? focused->accessibleName() : focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(order,
                 QStringList({"Brush tool", "Bucket Fill tool", "Rectangle Fill tool", "Rectangular Selection tool",
                              "Move Locations tool", "Zoom In", "Zoom Out", "Actual Size", "Show Changes",
                              "picHolder_00", "picHolder_01", "cboBlock", "picGridColor", "chkGrid", "Brush tool"}));
        QWidget* swatch = d.window.findChild<QWidget*>("picGridColor");
        d.platform.colorAnswers << QColor(Qt::red) << QColor(Qt::blue);
        swatch->setFocus();
        QTest::keyClick(swatch, Qt::Key_Space);
        QTest::keyClick(swatch, Qt::Key_Return);
        QVERIFY(d.session.GridColor() == Qt::blue && d.platform.colorAnswers.isEmpty());  // both opened the dialog
        QWidget* strip = d.window.findChild<QWidget*>("picHolder_00");
        strip->setFocus();
        QScrollBar* bar = d.bar("vsTiles");
        using Step = std::tuple<Qt::Key, int, int>;  // the key, the tile after it, the bar's value after it
        for (const auto& [key, tile, scrolled] :
             {Step{Qt::Key_End, 255, bar->maximum()}, Step{Qt::Key_Up, 254, 7776}, Step{Qt::Key_Home, 0, 0},
              Step{Qt::Key_Right, 1, 0}, Step{Qt::Key_PageDown, 14, 32 * 2}, Step{Qt::Key_PageUp, 1, 32}}) {
            QTest::keyClick(strip, key);
            QCOMPARE(int(*d.session.currentTile()), tile);
            QCOMPARE(bar->value(), scrolled);
            QCOMPARE(value(strip), "tile " + TileReadout(tile));
        }
        d.platform.textAnswers << QString("3a");
        QTest::keyClick(&d.window, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(*d.session.currentTile(), quint8(0x3A));
        QCOMPARE(d.action("mnuEditGoToTile")->toolTip(), QStringLiteral("Go to Tile (Ctrl+G)"));
        const auto tileAt = [&d](const MapCell& cell) { return TileReadout(*d.session.document().tileAt(cell)); };
        auto* view = d.window.findChild<QWidget*>("picHolder_01");
        view->setFocus();
        QCOMPARE(d.session.cursorCell(), MapCell({0, 3}));  // the first cell in sight
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) {
            QTest::keyClick(view, key);
        }
        QCOMPARE(value(view), "column 1, row 5, tile " + tileAt({1, 5}));
        d.pickTileFromStrip(9);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(value(view), QStringLiteral("column 1, row 5, tile 09"));
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_I);
        QCOMPARE(value(d.window.findChild<QWidget*>("picHolder_00")), "tile " + tileAt({2, 5}));
        const auto framed = [&](int row) {  // cyan inside black at the cursor's cell, in column 2
            const QRect cell = d.picMap()->toWidget(QRect(32, 16 * row, 16, 16)).translated(d.picMap()->pos());
            const QImage shown = view->grab().toImage();
            const int y = cell.center().y();
            return shown.pixelColor(cell.left() + 1, y) == Qt::cyan && shown.pixelColor(cell.left(), y) == Qt::black;
        };
        QVERIFY(framed(5));
        QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Left);
        QTest::keyClick(view, Qt::Key_Right);  // kept in view
        QVERIFY(framed(5) && d.picMap()->zoom() == 2);
        QTest::keyClick(view, Qt::Key_PageDown);  // the 12 rows in sight, then scrolled to the last row in sight
        QVERIFY(framed(17));
        d.action("mnuViewWorldMap")->trigger();
        WorldView* world = d.window.findChild<frmWorldMap*>()->view();
        QVERIFY(QTest::qWaitForWindowActive(world->window()));
        world->setFocus();
        const QString below = "column 2, row 18, tile " + tileAt({2, 18});
        QTest::keyClick(world, Qt::Key_Down, Qt::ShiftModifier);  // a brush does not stretch: nothing is painted
        QCOMPARE(value(world), below);
        const QPoint origin = world->cellOrigin({2, 18});
        const QImage shown = world->viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(origin + QPoint(-1, 1)), QColor(Qt::cyan));
        QCOMPARE(shown.pixelColor(origin + QPoint(-2, 1)), QColor(Qt::black));
    }
};

QTEST_MAIN(tst_MapView)
#include "tst_MapView.moc"
