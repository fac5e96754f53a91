#include "core/TileRaster.h"

#include "core/CartridgeImage.h"
#include "core/MapGeometry.h"

#include <algorithm>

namespace TileRaster {

std::array<QImage, Sheets> LoadSheets()
{
    std::array<QImage, Sheets> sheets;
    for (int s = 0; s < Sheets; ++s) {
        QImage sheet(QStringLiteral(":/tiles/sheet%1.png").arg(s));
        if (sheet.isNull()) {
            sheet = QImage(SheetWidth, SheetHeight, Format);
            sheet.fill(Qt::black);
        }
        sheets[static_cast<std::size_t>(s)] = sheet.convertToFormat(Format);
    }
    return sheets;
}

void CopyDoubled(const QImage& source, const QRect& from, QImage& target, const QPoint& to)
{
    for (int y = 0; y < from.height(); ++y) {
        const int sy = from.y() + y;
        const int ty = to.y() + 2 * y;
        if (sy < 0 || sy >= source.height() || ty < 0 || ty + 1 >= target.height()) {
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        auto* out0 = reinterpret_cast<QRgb*>(target.scanLine(ty));
        auto* out1 = reinterpret_cast<QRgb*>(target.scanLine(ty + 1));
        for (int x = 0; x < from.width(); ++x) {
            const int sx = from.x() + x;
            const int tx = to.x() + 2 * x;
            if (sx < 0 || sx >= source.width() || tx < 0 || tx + 1 >= target.width()) {
                continue;
            }
            out0[tx] = out0[tx + 1] = out1[tx] = out1[tx + 1] = in[sx];
        }
    }
}

void CopyHalved(const QImage& source, const QRect& from, QImage& target, const QPoint& to)
{
    for (int y = 0; y < from.height() / 2; ++y) {
        const int sy = from.y() + 2 * y;
        const int ty = to.y() + y;
        if (sy < 0 || sy >= source.height() || ty < 0 || ty >= target.height()) {
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(ty));
        for (int x = 0; x < from.width() / 2; ++x) {
            const int sx = from.x() + 2 * x;
            const int tx = to.x() + x;
            if (sx < 0 || sx >= source.width() || tx < 0 || tx >= target.width()) {
                continue;
            }
            out[tx] = in[sx];
        }
    }
}

QImage BuildTileStrip(const std::array<QImage, Sheets>& sheets)
{
    QImage strip(StripWidth, StripHeight, Format);
    strip.fill(Qt::black);
    for (int s = 0; s < Sheets; ++s) {
        const QImage sheet = sheets[static_cast<std::size_t>(s)].convertToFormat(Format);
        for (int i = 0; i < CellsPerSheet; ++i) {
            CopyDoubled(sheet, QRect(SheetCellOrigin(i), QSize(SheetCell, SheetCell)), strip,
                        QPoint(0, StripCell * (CellsPerSheet * s + i)));
        }
    }
    return strip;
}

namespace {

bool isWholeCell(const QImage& strip, int tile, const QImage& picture, int x, int y)
{
    constexpr int Cell = MapGeometry::CellSize;
    return x >= 0 && y >= 0 && x + Cell <= picture.width() && y + Cell <= picture.height() && tile >= 0 &&
           tile < Tiles && strip.width() >= StripCell && strip.height() >= StripHeight && strip.format() == Format &&
           picture.format() == Format;
}

// Every second pixel of every second row of a strip cell into a picture cell.
inline void halveCell(const uchar* stripBits, qsizetype stripStride, int tile, uchar* pictureBits,
                      qsizetype pictureStride, int x, int y)
{
    const uchar* in = stripBits + stripStride * StripCell * tile;
    uchar* out = pictureBits + pictureStride * y + sizeof(QRgb) * x;
    for (int row = 0; row < MapGeometry::CellSize; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(in + stripStride * 2 * row);
        auto* to = reinterpret_cast<QRgb*>(out + pictureStride * row);
        for (int col = 0; col < MapGeometry::CellSize; ++col) {
            to[col] = from[2 * col];
        }
    }
}

}  // namespace

void CopyTileToCell(const QImage& strip, int tile, QImage& picture, int x, int y)
{
    if (isWholeCell(strip, tile, picture, x, y)) {
        halveCell(strip.constBits(), strip.bytesPerLine(), tile, picture.bits(), picture.bytesPerLine(), x, y);
        return;
    }
    CopyHalved(strip, QRect(0, StripCell * tile, StripCell, StripCell), picture, QPoint(x, y));
}

void RenderBlock(const CartridgeImage& image, qint32 blockStart, const QImage& strip, QImage& picture,
                 const QRect& cells)
{
    const QRect drawn = cells & MapGeometry::BlockPicture;
    const bool fast = picture.width() >= MapGeometry::PictureWidth && picture.height() >= MapGeometry::PictureHeight &&
                      isWholeCell(strip, 0, picture, 0, 0);
    uchar* pictureBits = fast ? picture.bits() : nullptr;
    for (int r = drawn.top(); r <= drawn.bottom(); ++r) {
        for (int c = drawn.left(); c <= drawn.right(); ++c) {
            const qint32 index = MapGeometry::MapByteOffset(blockStart, r, c);
            if (!CartridgeImage::contains(index)) {
                continue;
            }
            if (fast) {
                halveCell(strip.constBits(), strip.bytesPerLine(), image.at(index), pictureBits, picture.bytesPerLine(),
                          MapGeometry::CellSize * c, MapGeometry::CellSize * r);
            } else {
                CopyTileToCell(strip, image.at(index), picture, MapGeometry::CellSize * c, MapGeometry::CellSize * r);
            }
        }
    }
}

namespace {

void setPixelClipped(QImage& picture, int x, int y, QRgb rgb)
{
    if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height()) {
        reinterpret_cast<QRgb*>(picture.scanLine(y))[x] = rgb;
    }
}

void horizontalLine(QImage& picture, int x1, int x2, int y, QRgb rgb)
{
    if (y < 0 || y >= picture.height()) {
        return;
    }
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = std::max(x1, 0); x <= std::min(x2, picture.width() - 1); ++x) {
        line[x] = rgb;
    }
}

void verticalLine(QImage& picture, int x, int y1, int y2, QRgb rgb)
{
    for (int y = y1; y <= y2; ++y) {
        setPixelClipped(picture, x, y, rgb);
    }
}

}  // namespace

void DrawGrid(QImage& picture, const QColor& color)
{
    // The lines run past the picture's edges (the bottom one wholly): what lies outside is clipped.
    constexpr int Cell = MapGeometry::CellSize;
    const QRgb rgb = color.rgb();
    for (int i = 1; i <= MapCell::BlockRows; ++i) {
        horizontalLine(picture, 0, 2 * MapGeometry::PictureWidth, Cell * i, rgb);
    }
    if (picture.format() != Format) {
        for (int j = 1; j < MapCell::Columns; ++j) {
            verticalLine(picture, Cell * j, 0, MapGeometry::PictureHeight, rgb);
        }
        return;
    }
    uchar* bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    for (int y = 0; y < std::min(picture.height(), MapGeometry::PictureHeight + 1); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + stride * y);
        for (int x = Cell; x <= std::min(picture.width() - 1, Cell * (MapCell::Columns - 1)); x += Cell) {
            line[x] = rgb;
        }
    }
}

void DrawCellOutline(QImage& picture, int x, int y, const QColor& color)
{
    constexpr int Cell = MapGeometry::CellSize;
    const QRgb rgb = color.rgb();
    if (picture.format() == Format && x >= 0 && y >= 0 && x + Cell < picture.width() && y + Cell < picture.height()) {
        // Inside the picture: straight through its bits, which a block's worth of cells redrawn at once needs.
        uchar* bits = picture.bits();
        const qsizetype stride = picture.bytesPerLine();
        auto* top = reinterpret_cast<QRgb*>(bits + stride * y) + x;
        auto* bottom = reinterpret_cast<QRgb*>(bits + stride * (y + Cell)) + x;
        std::fill(top, top + Cell + 1, rgb);
        std::fill(bottom, bottom + Cell + 1, rgb);
        for (int row = 1; row < Cell; ++row) {
            auto* line = reinterpret_cast<QRgb*>(bits + stride * (y + row)) + x;
            line[0] = line[Cell] = rgb;
        }
        return;
    }
    horizontalLine(picture, x, x + Cell, y, rgb);
    horizontalLine(picture, x, x + Cell, y + Cell, rgb);
    verticalLine(picture, x, y, y + Cell, rgb);
    verticalLine(picture, x + Cell, y, y + Cell, rgb);
}

}  // namespace TileRaster
