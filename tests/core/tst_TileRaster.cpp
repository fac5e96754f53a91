#include "FileLayout.h"
#include "TestLocale.h"
#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"
#include "core/MapImageExport.h"
#include "Fixtures.h"
#include "core/TileAtlas.h"
#include "core/TileRaster.h"

#include <QtTest>

using namespace TileRaster;

// Pixel-exact checks of the tile strip, block drawing and grid.
class tst_TileRaster : public QObject {
    Q_OBJECT

private:
    std::array<QImage, 4> sheets;
    QImage strip;

    static QImage sheetCell(const QImage& sheet, int i) { return sheet.copy(QRect(SheetCellOrigin(i), QSize(16, 16))); }
    static QImage halvedStripCell(const QImage& strip, int tile)
    {
        QImage cell(16, 16, Format);
        CopyTileToCell(strip, tile, cell, 0, 0);
        return cell;
    }

private slots:
    void initTestCase()
    {
        sheets = LoadSheets();
        strip = BuildTileStrip(sheets);
        QCOMPARE(strip.size(), QSize(32, 8192));
    }

    void stripCellIsSheetCellDoubled_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("63") << 63 << 0 << 7 << 4;
        QTest::newRow("64") << 64 << 1 << 0 << 0;
        QTest::newRow("255") << 255 << 3 << 7 << 4;
    }

    void stripCellIsSheetCellDoubled()
    {
        QFETCH(int, tile);
        QFETCH(int, sheet);
        QFETCH(int, column);
        QFETCH(int, row);
        const QImage& source = sheets[static_cast<std::size_t>(sheet)];
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                QCOMPARE(strip.pixel(x, 32 * tile + y), source.pixel(16 * column + x / 2, 16 * row + y / 2));
            }
        }
        // Drawn back at half size, a strip cell is its sheet cell pixel for pixel.
        QCOMPARE(halvedStripCell(strip, tile), sheetCell(source, tile % 64));
    }

    // Each cell draws its byte's tile; cells outside the image are not drawn.
    void blockDrawsItsBytes()
    {
        CartridgeImage image;
        const qint32 start = *MapGeometry::BlockStart(8);
        image.set(FileLayout::MapByte(8, 5, 9), 0x41);
        QImage picture(4096, 512, Format);
        picture.fill(Qt::black);
        RenderBlock(image, start, strip, picture);
        const QImage tile0 = sheetCell(sheets[0], 0);
        for (int r = 0; r < 32; ++r) {
            for (int c = 0; c < 256; ++c) {
                QCOMPARE(picture.copy(16 * c, 16 * r, 16, 16), r == 5 && c == 9 ? sheetCell(sheets[1], 1) : tile0);
            }
        }
        const QImage drawn = picture;
        RenderBlock(image, 0, strip, picture);  // the start a bad block number gives
        QCOMPARE(picture, drawn);
    }

    // Grid lines on each cell's top and left but the first; outlines 17 x 17, clipped.
    void gridAndOutlinesColourExactlyTheirLines()
    {
        QImage picture(4096, 512, Format);
        picture.fill(qRgb(1, 2, 3));
        DrawGrid(picture, QColor(255, 0, 0));
        DrawCellOutline(picture, 20, 20, QColor(0, 0, 255));
        DrawCellOutline(picture, 4080, 496, QColor(0, 0, 255));
        const auto onBox = [](int x, int y, int left, int top) {
            const bool inBox = x >= left && x <= left + 16 && y >= top && y <= top + 16;
            return inBox && (x == left || x == left + 16 || y == top || y == top + 16);
        };
        for (int y = 0; y < 512; ++y) {
            for (int x = 0; x < 4096; ++x) {
                const bool line = (y % 16 == 0 && y > 0) || (x % 16 == 0 && x > 0);
                const QRgb fill = line ? qRgb(255, 0, 0) : qRgb(1, 2, 3);
                if (picture.pixel(x, y) != (onBox(x, y, 20, 20) || onBox(x, y, 4080, 496) ? qRgb(0, 0, 255) : fill)) {
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
                }
            }
        }
    }

    void atlasTakesThePixelUnderEachCentre_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QPoint>("at");  // where the first cell goes
        QTest::addColumn<QSize>("cut");  // pixels of the last cells the target leaves out, right and below
        QTest::newRow("16") << 16 << QPoint(0, 0) << QSize(0, 0);
        QTest::newRow("2") << 2 << QPoint(0, 0) << QSize(0, 0);
        QTest::newRow("6, clipped on every side") << 6 << QPoint(-4, -1) << QSize(2, 1);
    }

    // Row 37 holds tiles 0..255: each pixel drawn is the tile's pixel under its centre.
    void atlasTakesThePixelUnderEachCentre()
    {
        QFETCH(int, zoom);
        QFETCH(QPoint, at);
        QFETCH(QSize, cut);
        CartridgeImage image;
        for (int tile = 0; tile < 256; ++tile) {
            image.set(FileLayout::MapByte(2, 5, tile), static_cast<quint8>(tile));
        }
        QImage drawn(256 * zoom + at.x() - cut.width(), zoom + at.y() - cut.height(), Format);
        TileAtlas(strip, zoom).drawCells(image, QRect(0, 37, 256, 1), drawn, at);
        const auto source = [zoom](int d) { return 2 * static_cast<int>((d + 0.5) * 16 / zoom); };
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const int tile = (x - at.x()) / zoom;
                QCOMPARE(drawn.pixel(x, y), strip.pixel(source((x - at.x()) % zoom), 32 * tile + source(y - at.y())));
            }
        }
        if (zoom == 16) {
            QCOMPARE(drawn.copy(16 * 0x9C, 0, 16, 16), halvedStripCell(strip, 0x9C));
            QImage cut(24, 32, Format), untouched(16, 32, Format);  // a cell the picture's right edge cuts
            cut.fill(Qt::magenta);
            untouched.fill(Qt::magenta);
            CopyTileToCell(strip, 0x9C, cut, 16, 0);
            QCOMPARE(cut.copy(16, 0, 8, 16), halvedStripCell(strip, 0x9C).copy(0, 0, 8, 16));
            QCOMPARE(cut.copy(0, 0, 16, 32), untouched);  // nothing written past the picture's edge
        }
        for (const int tile : {0, 255}) {  // a tile alone, as a floating paste is drawn
            QImage one(zoom, zoom, Format);
            one.fill(Qt::magenta);  // a tile left undrawn shows
            TileAtlas(strip, zoom).drawTile(tile, one, QPoint());
            for (int y = 0; y < zoom; ++y) {
                for (int x = 0; x < zoom; ++x) {
                    QCOMPARE(one.pixel(x, y), strip.pixel(source(x), 32 * tile + source(y)));
                }
            }
        }
    }

    void exportDrawsEachBlock_data()
    {
        QTest::addColumn<bool>("manyColours");  // tiles of more colours than a colour table holds
        QTest::addColumn<int>("block");  // 0: the whole overworld
        QTest::addColumn<bool>("grid");
        QTest::newRow("block 8, grid") << false << 8 << true;
        QTest::newRow("many colours, block 1, grid") << true << 1 << true;
        QTest::newRow("many colours, overworld") << true << 0 << false;
    }

    // An exported picture shows each block as the map view draws it, one under the other.
    void exportDrawsEachBlock()
    {
        QFETCH(bool, manyColours);
        QFETCH(int, block);
        QFETCH(bool, grid);
        const QByteArray noise = Fixtures::Pattern(4 * 32 * 8192, 7);  // some hundred thousand colours
        const QImage colours =
            manyColours ? QImage(reinterpret_cast<const uchar*>(noise.constData()), 32, 8192, QImage::Format_RGB32)
                        : strip;
        CartridgeImage image;
        image.assign(Fixtures::Pattern(CartridgeImage::Size, 8));
        const auto area = block ? MapImageExport::Area::Block : MapImageExport::Area::Overworld;
        const QImage picture =
            MapImageExport::Render(image, colours, area, block, grid, QColor(1, 2, 3)).convertToFormat(Format);
        const int first = block ? block : 1;
        QCOMPARE(picture.height(), block ? 512 : 4096);
        for (int b = first; b <= (block ? block : 8); ++b) {
            QImage drawn(4096, 512, Format);
            RenderBlock(image, *MapGeometry::BlockStart(b), colours, drawn);
            if (grid) {
                DrawGrid(drawn, QColor(1, 2, 3));
            }
            QVERIFY(picture.copy(0, 512 * (b - first), 4096, 512) == drawn);
        }
    }
};

QTEST_GUILESS_MAIN(tst_TileRaster)
#include "tst_TileRaster.moc"
