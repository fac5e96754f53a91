#include "ArtWriter.h"

#include "IconArt.h"
#include "PortraitArt.h"
#include "TerrainArt.h"
#include "core/TileGlyphs.h"

#include <QDir>
#include <QPainter>

#include <array>
#include <cstdio>

namespace {

struct Size {
    int w;
    int h;
};

constexpr std::array<Size, PortraitArt::ClassCount> PortraitSizes = {{
    {16, 16},
    {12, 16},
    {14, 16},
    {16, 16},
    {16, 15},
    {14, 16},
    {16, 16},
    {16, 16},
}};

bool save(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make-art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QString sheetPath(const QString& folder, int n)
{
    return folder + QStringLiteral("/tiles/sheet%1.png").arg(n);
}

QString portraitPath(const QString& folder, int n)
{
    return folder + QStringLiteral("/portraits/class%1.png").arg(n);
}

int faults = 0;

void fault(const QString& text)
{
    std::fprintf(stderr, "verify: %s\n", qPrintable(text));
    ++faults;
}

// Nearest-neighbour enlargement, never smoothed.
QImage enlarged(const QImage& image, int factor)
{
    return image.convertToFormat(QImage::Format_RGB888)
        .scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

QImage ArtWriter::sheet(int n)
{
    QImage image(SheetColumns * Cell, SheetRows * Cell, QImage::Format_RGB888);
    image.fill(qRgb(0, 0, 0));
    for (int i = 0; i < TerrainArt::Count; ++i) {
        const QImage tile = TerrainArt::tile(i).toRgbImage();
        const int ox = Cell * (i % SheetColumns);
        const int oy = Cell * (i / SheetColumns);
        for (int y = 0; y < Cell; ++y) {
            for (int x = 0; x < Cell; ++x) {
                const bool digit = TileGlyphs::IsSet(n, x, y);
                image.setPixel(ox + x, oy + y, digit ? qRgb(255, 255, 255) : tile.pixel(x, y));
            }
        }
    }
    return image;
}

bool ArtWriter::writeAll(const QString& folder)
{
    QDir dir(folder);
    for (const char* sub : {"tiles", "portraits", "icons"}) {
        if (!dir.mkpath(QString::fromLatin1(sub))) {
            std::fprintf(stderr, "make-art: cannot create %s/%s\n", qPrintable(folder), sub);
            return false;
        }
    }
    bool ok = true;
    for (int n = 0; n < SheetCount; ++n) {
        ok = save(sheet(n), sheetPath(folder, n)) && ok;
    }
    for (int n = 0; n < PortraitArt::ClassCount; ++n) {
        ok = save(PortraitArt::portrait(n).toRgbImage(), portraitPath(folder, n)) && ok;
    }
    ok = save(PortraitArt::herbs().toIndexedImage(), folder + QStringLiteral("/portraits/herbs.png")) && ok;
    ok = save(IconArt::icon32().toArgbImage(IconArt::Transparent), folder + QStringLiteral("/icons/orvane.png")) && ok;
    ok = save(IconArt::icon64().toArgbImage(IconArt::Transparent), folder + QStringLiteral("/icons/orvane-64.png")) &&
         ok;
    return ok;
}

bool ArtWriter::writeDesktopIcons(const QString& folder)
{
    bool ok = true;
    for (const int size : IconArt::DesktopSizes) {
        const QString sub = QStringLiteral("%1x%1").arg(size);
        if (!QDir(folder).mkpath(sub)) {
            std::fprintf(stderr, "make-art: cannot create %s/%s\n", qPrintable(folder), qPrintable(sub));
            return false;
        }
        ok = save(IconArt::desktopIcon(size), folder + u'/' + sub + QStringLiteral("/orvane-map-editor.png")) && ok;
    }
    return ok;
}

bool ArtWriter::verify(const QString& folder)
{
    faults = 0;
    std::array<QImage, SheetCount> sheets;
    for (int n = 0; n < SheetCount; ++n) {
        sheets[static_cast<std::size_t>(n)] = QImage(sheetPath(folder, n));
        const QImage& s = sheets[static_cast<std::size_t>(n)];
        if (s.isNull()) {
            fault(QStringLiteral("cannot read sheet %1").arg(n));
            return false;
        }
        if (s.size() != QSize(SheetColumns * Cell, SheetRows * Cell)) {
            fault(QStringLiteral("sheet %1 is %2 x %3").arg(n).arg(s.width()).arg(s.height()));
            return false;
        }
        if (s.hasAlphaChannel()) {
            fault(QStringLiteral("sheet %1 has an alpha channel").arg(n));
        }
        for (int i = TerrainArt::Count; i < SheetColumns * SheetRows; ++i) {
            for (int y = 0; y < Cell; ++y) {
                for (int x = 0; x < Cell; ++x) {
                    const QRgb p = s.pixel(Cell * (i % SheetColumns) + x, Cell * (i / SheetColumns) + y);
                    if (qRed(p) != 0 || qGreen(p) != 0 || qBlue(p) != 0) {
                        fault(QStringLiteral("sheet %1 cell %2 is not black at %3,%4").arg(n).arg(i).arg(x).arg(y));
                    }
                }
            }
        }
    }
    for (int n = 1; n < SheetCount; ++n) {
        const QImage& s = sheets[static_cast<std::size_t>(n)];
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                const bool digit = TileGlyphs::IsSet(n, x % Cell, y % Cell) &&
                                   (y / Cell) * SheetColumns + x / Cell < TerrainArt::Count;
                const QRgb want = digit ? qRgb(255, 255, 255) : sheets[0].pixel(x, y);
                if ((s.pixel(x, y) & 0xffffffU) != (want & 0xffffffU)) {
                    fault(QStringLiteral("sheet %1 differs at %2,%3").arg(n).arg(x).arg(y));
                }
            }
        }
    }
    for (int n = 0; n < PortraitArt::ClassCount; ++n) {
        const QImage p(portraitPath(folder, n));
        const Size want = PortraitSizes[static_cast<std::size_t>(n)];
        if (p.size() != QSize(want.w, want.h)) {
            fault(QStringLiteral("portrait %1 is %2 x %3").arg(n).arg(p.width()).arg(p.height()));
        }
        if (p.hasAlphaChannel()) {
            fault(QStringLiteral("portrait %1 has an alpha channel").arg(n));
        }
    }
    const QImage herbs(folder + QStringLiteral("/portraits/herbs.png"));
    if (herbs.size() != QSize(16, 16) || herbs.format() != QImage::Format_Indexed8 || herbs.colorCount() > 256) {
        fault(QStringLiteral("herbs.png is not a 16 x 16 indexed picture"));
    }
    const QImage icon(folder + QStringLiteral("/icons/orvane.png"));
    const QImage icon64(folder + QStringLiteral("/icons/orvane-64.png"));
    if (icon.size() != QSize(32, 32) || icon64.size() != QSize(64, 64)) {
        fault(QStringLiteral("icons have the wrong size"));
    }
    std::fprintf(stderr, "verify: %d fault(s)\n", faults);
    return faults == 0;
}

bool ArtWriter::writePreview(const QString& folder, const QString& path)
{
    const QImage s0(sheetPath(folder, 0));
    const QImage s2(sheetPath(folder, 2));
    if (s0.isNull()) {
        return false;
    }
    auto cell = [&](int i) { return s0.copy(Cell * (i % SheetColumns), Cell * (i / SheetColumns), Cell, Cell); };
    // Tiling tests, each a grid of tile numbers.
    const std::vector<std::vector<std::vector<int>>> tests = {
        {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}},
        {{16, 16, 16}, {16, 16, 16}, {16, 16, 16}},
        {{21, 21, 21}, {21, 21, 21}, {21, 21, 21}},
        {{1, 1, 1, 1, 1}, {1, 14, 4, 13, 1}, {1, 6, 16, 5, 1}, {1, 12, 3, 11, 1}, {1, 1, 1, 1, 1}},
        {{16, 16, 16, 16, 16}, {16, 7, 3, 8, 16}, {16, 5, 1, 6, 16}, {16, 9, 4, 10, 16}, {16, 16, 16, 16, 16}},
        {{16, 42, 16, 47, 16}, {41, 43, 41, 44, 41}, {16, 42, 16, 47, 16}, {46, 45, 46, 46, 46}, {16, 42, 16, 47, 16}},
        {{0, 0, 1, 2, 2}, {0, 1, 2, 2, 40}, {26, 27, 26, 22, 20}, {37, 28, 30, 31, 32}, {38, 39, 34, 35, 36}},
    };
    const int zoom = 4;
    const int sheetW = s0.width() * zoom;
    int testsH = 0;
    int testsW = 0;
    for (const auto& t : tests) {
        testsW += static_cast<int>(t[0].size()) * Cell * 3 + 12;
        testsH = std::max(testsH, static_cast<int>(t.size()) * Cell * 3);
    }
    const int width = std::max({sheetW * 2 + 12, testsW, 16 * 8 * 10});
    const int height = s0.height() * zoom + 12 + testsH + 12 + 16 * 8 + 12;
    QImage out(width, height, QImage::Format_RGB888);
    out.fill(qRgb(90, 90, 90));
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, enlarged(s0, zoom));
    if (!s2.isNull()) {
        painter.drawImage(sheetW + 12, 0, enlarged(s2, zoom));
    }
    int x = 0;
    const int ty = s0.height() * zoom + 12;
    for (const auto& t : tests) {
        for (std::size_t r = 0; r < t.size(); ++r) {
            for (std::size_t c = 0; c < t[r].size(); ++c) {
                painter.drawImage(x + static_cast<int>(c) * Cell * 3, ty + static_cast<int>(r) * Cell * 3,
                                  enlarged(cell(t[r][c]), 3));
            }
        }
        x += static_cast<int>(t[0].size()) * Cell * 3 + 12;
    }
    const int py = ty + testsH + 12;
    int px = 0;
    for (int n = 0; n < PortraitArt::ClassCount; ++n) {
        const QImage p(portraitPath(folder, n));
        painter.drawImage(px, py, enlarged(p, 8));
        px += 16 * 8 + 8;
    }
    const QImage herbs(folder + QStringLiteral("/portraits/herbs.png"));
    painter.drawImage(px, py, enlarged(herbs, 8));
    px += 16 * 8 + 8;
    const QImage icon(folder + QStringLiteral("/icons/orvane-64.png"));
    painter.fillRect(px, py, 128, 128, QColor(200, 200, 200));
    painter.drawImage(QRect(px, py, 128, 128), icon);
    painter.end();
    return out.save(path, "PNG");
}
