#pragma once

#include <QImage>

#include <initializer_list>
#include <string_view>
#include <vector>

// A small picture of palette keys (see Palette). Drawing is per pixel and
// never blends, so everything stays crisp.
class PixelCanvas {
public:
    using Rows = std::initializer_list<std::string_view>;

    PixelCanvas(int width, int height, char fill);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Key at (x, y); outside the picture the nearest edge pixel.
    char at(int x, int y) const;
    // Ignores pixels outside the picture.
    void set(int x, int y, char key);
    // Wraps x and y around, for textures that must tile.
    void setWrapped(int x, int y, char key);
    void fill(char key);
    void fillRect(int x, int y, int w, int h, char key);
    // Filled rectangle from (x0, y0) to (x1, y1) inclusive with an outline.
    void box(int x0, int y0, int x1, int y1, char inside, char outline = 'k');
    void hline(int x0, int x1, int y, char key);
    void vline(int x, int y0, int y1, char key);

    // Copies rows of keys with (x, y) as top left; '.' is transparent. Every
    // key in from is drawn as the key at the same place in to.
    void stamp(int x, int y, Rows rows, bool wrap = false, std::string_view from = {}, std::string_view to = {});
    // Same, but rows must exactly cover the whole picture.
    void paint(Rows rows);

    // Copies another canvas (no transparency) with (x, y) as top left.
    void blit(int x, int y, const PixelCanvas& other);

    QImage toRgbImage() const;
    QImage toArgbImage(char transparentKey) const;
    QImage toIndexedImage() const;

private:
    int m_width;
    int m_height;
    std::vector<char> m_pixels;
};
