#include "PixelCanvas.h"

#include "Palette.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

PixelCanvas::PixelCanvas(int width, int height, char fill)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width * height), fill)
{
}

char PixelCanvas::at(int x, int y) const
{
    x = std::clamp(x, 0, m_width - 1);
    y = std::clamp(y, 0, m_height - 1);
    return m_pixels[static_cast<std::size_t>(y * m_width + x)];
}

void PixelCanvas::set(int x, int y, char key)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    m_pixels[static_cast<std::size_t>(y * m_width + x)] = key;
}

void PixelCanvas::setWrapped(int x, int y, char key)
{
    x = ((x % m_width) + m_width) % m_width;
    y = ((y % m_height) + m_height) % m_height;
    set(x, y, key);
}

void PixelCanvas::fill(char key)
{
    std::fill(m_pixels.begin(), m_pixels.end(), key);
}

void PixelCanvas::fillRect(int x, int y, int w, int h, char key)
{
    for (int yy = y; yy < y + h; ++yy) {
        for (int xx = x; xx < x + w; ++xx) {
            set(xx, yy, key);
        }
    }
}

void PixelCanvas::box(int x0, int y0, int x1, int y1, char inside, char outline)
{
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const bool edge = x == x0 || x == x1 || y == y0 || y == y1;
            set(x, y, edge ? outline : inside);
        }
    }
}

void PixelCanvas::hline(int x0, int x1, int y, char key)
{
    for (int x = x0; x <= x1; ++x) {
        set(x, y, key);
    }
}

void PixelCanvas::vline(int x, int y0, int y1, char key)
{
    for (int y = y0; y <= y1; ++y) {
        set(x, y, key);
    }
}

void PixelCanvas::stamp(int x, int y, Rows rows, bool wrap, std::string_view from, std::string_view to)
{
    if (from.size() != to.size()) {
        std::fprintf(stderr, "make-art: recolour lists differ in length\n");
        std::abort();
    }
    const std::size_t width = rows.begin() == rows.end() ? 0 : rows.begin()->size();
    int dy = 0;
    for (std::string_view row : rows) {
        if (row.size() != width) {
            std::fprintf(stderr, "make-art: ragged sprite row \"%.*s\"\n", static_cast<int>(row.size()), row.data());
            std::abort();
        }
        for (std::size_t dx = 0; dx < row.size(); ++dx) {
            char key = row[dx];
            if (key == '.') {
                continue;
            }
            const std::size_t pos = from.find(key);
            if (pos != std::string_view::npos) {
                key = to[pos];
            }
            Palette::index(key);  // rejects unknown keys
            if (wrap) {
                setWrapped(x + static_cast<int>(dx), y + dy, key);
            } else {
                set(x + static_cast<int>(dx), y + dy, key);
            }
        }
        ++dy;
    }
}

void PixelCanvas::paint(Rows rows)
{
    bool ok = static_cast<int>(rows.size()) == m_height;
    for (std::string_view row : rows) {
        ok = ok && static_cast<int>(row.size()) == m_width;
    }
    if (!ok) {
        std::fprintf(stderr, "make-art: picture is not %d x %d\n", m_width, m_height);
        for (std::string_view row : rows) {
            std::fprintf(stderr, "  %2zu \"%.*s\"\n", row.size(), static_cast<int>(row.size()), row.data());
        }
        std::abort();
    }
    stamp(0, 0, rows);
}

void PixelCanvas::blit(int x, int y, const PixelCanvas& other)
{
    for (int yy = 0; yy < other.height(); ++yy) {
        for (int xx = 0; xx < other.width(); ++xx) {
            set(x + xx, y + yy, other.at(xx, yy));
        }
    }
}

QImage PixelCanvas::toRgbImage() const
{
    QImage image(m_width, m_height, QImage::Format_RGB888);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            image.setPixel(x, y, Palette::rgb(at(x, y)));
        }
    }
    return image;
}

QImage PixelCanvas::toArgbImage(char transparentKey) const
{
    QImage image(m_width, m_height, QImage::Format_ARGB32);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const char key = at(x, y);
            image.setPixel(x, y, key == transparentKey ? qRgba(0, 0, 0, 0) : Palette::rgb(key));
        }
    }
    return image;
}

QImage PixelCanvas::toIndexedImage() const
{
    QImage image(m_width, m_height, QImage::Format_Indexed8);
    image.setColorTable(Palette::table());
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            image.setPixel(x, y, static_cast<uint>(Palette::index(at(x, y))));
        }
    }
    return image;
}
