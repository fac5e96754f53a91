#include "FileLayout.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "ui/PictureBox.h"
#include "ui/WorldView.h"
#include "ui/frmWorldMap.h"

#include <QAccessible>
#include <QToolBar>
#include <QtTest>

using D = MainWindowDriver;

namespace {

QString value(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Value);
}

QString tileAt(const D& d, const MapCell& cell)
{
    return MapGeometry::TileReadout(*d.session.document().tileAt(cell));
}

}  // namespace

// The main window without a mouse, through real key events: Tab's order, the palette's keys, the map's
// cell cursor (moved, drawn, applied, picked from, heard by screen readers) there and in the world map.
class tst_Keyboard : public QObject {
    Q_OBJECT

private slots:
    void tabOrderAndSwatch()
    {
        D d;
        QVERIFY(d.showAndLoad());
        auto* toolBar = d.window.findChild<QToolBar*>("tbTools");
        toolBar->widgetForAction(toolBar->actions().first())->setFocus();
        QStringList order;
        for (int i = 0; i < 11; ++i) {
            QWidget* focused = QApplication::focusWidget();
            order << (focused->objectName().isEmpty() ? focused->accessibleName() : focused->objectName());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"Brush tool", "Bucket Fill tool", "Rectangle Fill tool",
                                     "Rectangular Selection tool", "Move Locations tool", "picHolder_00",
                                     "picHolder_01", "cboBlock", "picGridColor", "chkGrid", "Brush tool"}));
        QWidget* swatch = d.window.findChild<QWidget*>("picGridColor");
        d.platform.colorAnswers << QColor(Qt::red) << QColor(Qt::blue);
        swatch->setFocus();
        QTest::keyClick(swatch, Qt::Key_Space);
        QCOMPARE(d.session.GridColor(), QColor(Qt::red));
        QTest::keyClick(swatch, Qt::Key_Return);
        QCOMPARE(d.session.GridColor(), QColor(Qt::blue));
    }

    void paletteKeys()
    {
        D d;
        QVERIFY(d.showAndLoad());
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
            QCOMPARE(value(strip), "tile " + MapGeometry::TileReadout(tile));
        }
        d.platform.textAnswers << QString("3a");
        QTest::keyClick(&d.window, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(*d.session.currentTile(), quint8(0x3A));
        QCOMPARE(d.action("mnuEditGoToTile")->toolTip(), QStringLiteral("Go to Tile (Ctrl+G)"));
    }

    void mapCursor()
    {
        D d;
        QVERIFY(d.showAndLoad());
        auto* view = d.window.findChild<QWidget*>("picHolder_01");
        d.bar("vsMap")->setValue(48);
        view->setFocus();
        QCOMPARE(d.session.cursorCell(), MapCell({0, 3}));  // the first cell in sight
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) {
            QTest::keyClick(view, key);
        }
        QCOMPARE(value(view), "column 1, row 5, tile " + tileAt(d, {1, 5}));
        d.pickTileFromStrip(9);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(value(view), QStringLiteral("column 1, row 5, tile 09"));
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_I);
        QCOMPARE(value(d.window.findChild<QWidget*>("picHolder_00")), "tile " + tileAt(d, {2, 5}));
        // Drawn cyan inside black where the cursor is, at the first zoom and, kept in view, zoomed in.
        for (const int zoom : {1, 2}) {
            if (zoom == 2) {
                for (const QKeyCombination key :
                     {Qt::CTRL | Qt::Key_Plus, QKeyCombination(Qt::Key_Left), QKeyCombination(Qt::Key_Right)}) {
                    QTest::keyClick(view, key.key(), key.keyboardModifiers());
                }
            }
            const QRect cell = d.picMap()->toWidget(QRect(32, 80, 16, 16)).translated(d.picMap()->pos());
            const QImage shown = view->grab().toImage();
            QCOMPARE(shown.pixelColor(cell.left() + 1, cell.center().y()), QColor(Qt::cyan));
            QCOMPARE(shown.pixelColor(cell.left(), cell.center().y()), QColor(Qt::black));
            QCOMPARE(d.picMap()->zoom(), double(zoom));
        }
        d.action("mnuViewWorldMap")->trigger();
        WorldView* world = d.window.findChild<frmWorldMap*>()->view();
        QVERIFY(QTest::qWaitForWindowActive(world->window()));
        world->setFocus();
        QTest::keyClick(world, Qt::Key_Down, Qt::ShiftModifier);  // a brush does not stretch: a plain step
        QCOMPARE(value(world), "column 2, row 6, tile " + tileAt(d, {2, 6}));
        QVERIFY(!d.session.cursorAnchor());
        const QPoint origin = world->cellOrigin({2, 6});
        const QImage shown = world->viewport()->grab().toImage();
        QCOMPARE(shown.pixelColor(origin + QPoint(-1, 1)), QColor(Qt::cyan));
        QCOMPARE(shown.pixelColor(origin + QPoint(-2, 1)), QColor(Qt::black));
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_Keyboard.moc"
