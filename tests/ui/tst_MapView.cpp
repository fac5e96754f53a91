#include "core/CartridgeImage.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "core/TileRaster.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

// The map view and palette of the real main window: the load sequence, block
// drawing with its progress caption, scrolling, the grid and its colour.
class tst_MapView : public QObject {
    Q_OBJECT

private:
    // Block `block` of the driver's image as DrawBlock must leave it.
    static QImage expectedBlock(MainWindowDriver& d, int block, bool grid = true)
    {
        QImage picture(4096, 512, TileRaster::Format);
        picture.fill(Qt::black);
        TileRaster::RenderBlock(d.session.image(), *MapGeometry::BlockStart(block), d.session.tileStrip(), picture);
        if (grid) {
            TileRaster::DrawGrid(picture, d.session.GridColor());
        }
        return picture;
    }

private slots:
    void loadSequence();
    void scrolling_data();
    void scrolling();
    void gridColour();
    void newerDrawingStopsOlder_data();
    void newerDrawingStopsOlder();
};

void tst_MapView::loadSequence()
{
    MainWindowDriver d;
    QVERIFY(!d.window.findChild<QGroupBox*>(QStringLiteral("Frame2"))->isEnabled());
    // A press on the map before a load paints nothing and stores nothing.
    const QByteArray empty = d.session.cartridge().image().bytes();
    d.press(QPointF(5, 5));
    QCOMPARE(d.session.cartridge().image().bytes(), empty);
    d.bar("hsMap")->setValue(160);
    QVERIFY(d.load());
    QVERIFY(d.window.findChild<QGroupBox*>(QStringLiteral("Frame1"))->isEnabled());
    QVERIFY(d.window.findChild<QGroupBox*>(QStringLiteral("Frame2"))->isEnabled());
    QCOMPARE(d.picMap()->pos(), QPoint(-160, 0));  // back at the top, horizontal offset kept
    // Tile 0 is chosen: marked in the palette and shown doubled in the enlarged view.
    QCOMPARE(d.window.findChild<ShapeOutline*>(QStringLiteral("shpPoint"))->pos(), QPoint(0, 0));
    QCOMPARE(d.session.currentTile(), std::optional<quint8>(0));
    const QImage zoom = d.window.findChild<PictureBox*>(QStringLiteral("picTileZoom"))->backing();
    QCOMPARE(zoom.pixel(63, 63), d.session.tileStrip().pixel(31, 31));
    QCOMPARE(zoom.pixel(0, 0), d.session.tileStrip().pixel(0, 0));
}

void tst_MapView::scrolling_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("wheelOn");  // a notch down over this viewport, else the bar is set
    QTest::addColumn<int>("modifiers");
    QTest::newRow("hsMap 20") << "hsMap" << 20 << -16 << "" << 0;
    QTest::newRow("vsTiles 31") << "vsTiles" << 31 << 0 << "" << 0;
    // One wheel notch is three small steps.
    QTest::newRow("wheel on the map") << "vsMap" << 48 << -48 << "picHolder_01" << int(Qt::NoModifier);
    QTest::newRow("wheel with Shift") << "hsMap" << 48 << -48 << "picHolder_01" << int(Qt::ShiftModifier);
    QTest::newRow("wheel on the palette") << "vsTiles" << 96 << -96 << "picHolder_00" << int(Qt::NoModifier);
}

void tst_MapView::scrolling()
{
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(int, position);
    QFETCH(QString, wheelOn);
    QFETCH(int, modifiers);
    MainWindowDriver d;
    QVERIFY(d.load());
    QScrollBar* scrollBar = d.bar(qPrintable(bar));
    if (wheelOn.isEmpty()) {
        scrollBar->setValue(value);
    } else {
        QWidget* holder = d.window.findChild<QWidget*>(wheelOn);
        QWheelEvent wheel(QPointF(10, 10), holder->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
        QApplication::setWheelScrollLines(3);
        QCoreApplication::sendEvent(holder, &wheel);
    }
    QCOMPARE(scrollBar->value(), value);  // the bar itself keeps its value
    const QPoint picture = d.window.findChild<QWidget*>(bar == u"vsTiles" ? "picTileset" : "picMap")->pos();
    QCOMPARE(bar == u"hsMap" ? picture.x() : picture.y(), position);
}

// The swatch asks for a colour only while the grid is shown; a cancel changes
// nothing; a chosen colour redraws the grid lines in it. Unchecking the grid
// leaves the lines until the next drawing, which has none.
void tst_MapView::gridColour()
{
    MainWindowDriver d;
    QVERIFY(d.load());
    auto* swatch = d.window.findChild<PictureBox*>(QStringLiteral("picGridColor"));
    auto* grid = d.window.findChild<QCheckBox*>(QStringLiteral("chkGrid"));
    const QImage before = d.mapPicture();

    grid->setChecked(false);
    QTest::mouseClick(swatch, Qt::LeftButton);  // not asked
    grid->setChecked(true);
    QTest::mouseClick(swatch, Qt::LeftButton);  // cancelled
    QCOMPARE(d.platform.colorCalls, 1);
    QCOMPARE(d.session.GridColor(), QColor(255, 0, 0));
    QCOMPARE(d.mapPicture(), before);

    d.platform.colorAnswers << QColor(0, 200, 50);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(swatch->backing().pixel(10, 10), qRgb(0, 200, 50));
    QImage expected = before;
    TileRaster::DrawGrid(expected, QColor(0, 200, 50));
    QCOMPARE(d.mapPicture(), expected);

    grid->setChecked(false);
    d.chooseBlock(1);
    QCOMPARE(d.mapPicture(), expectedBlock(d, 1, false));
}

void tst_MapView::newerDrawingStopsOlder_data()
{
    QTest::addColumn<QString>("interruption");
    QTest::newRow("none") << "";
    QTest::newRow("another block") << "block";
    QTest::newRow("a new load") << "load";
    QTest::newRow("closing the window") << "close";
}

// A drawing shows its progress cell by cell, then the title. Whatever comes
// during a drawing stops it at once: the picture shows the last chosen block,
// complete, and the caption ends as the title.
void tst_MapView::newerDrawingStopsOlder()
{
    QFETCH(QString, interruption);
    MainWindowDriver d(Fixtures::Pattern(262160, 77));
    QVERIFY(d.load());
    QStringList captions;
    connect(&d.session, &EditorSession::captionChanged, this, [&captions](const QString& t) { captions << t; });
    bool fired = false;
    QTimer::singleShot(0, &d.window, [&] {
        fired = true;
        if (interruption == QLatin1String("block")) {
            d.chooseBlock(5);
        } else if (interruption == QLatin1String("load")) {
            d.load();
        } else if (interruption == QLatin1String("close")) {
            d.window.close();
        }
    });
    d.chooseBlock(8);  // interrupted after its first cell
    QVERIFY(fired);
    if (interruption == QLatin1String("close")) {
        QVERIFY(d.modals.ended);
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
        return;
    }
    const QMap<QString, int> shown{{"", 8}, {"block", 5}, {"load", 1}};
    QCOMPARE(d.text("lblBlock"), QString::number(shown[interruption]));
    QCOMPARE(d.mapPicture(), expectedBlock(d, shown[interruption]));
    QCOMPARE(d.window.windowTitle(), EditorSession::Title());
    QCOMPARE(captions.last(), EditorSession::Title());
    // The older drawing stopped at once: no caption of it follows the newer drawing's end.
    QVERIFY(captions.size() <= 8193 + 10);
    QCOMPARE(captions[captions.size() - 2], QStringLiteral("Loading Map - (032, 255)"));
    if (interruption.isEmpty()) {
        QCOMPARE(captions.size(), 8193);  // one per cell, then the title
    }
}

QTEST_MAIN(tst_MapView)
#include "tst_MapView.moc"
