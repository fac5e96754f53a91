#pragma once

#include "core/MapCell.h"
#include "core/MapCellChange.h"

#include <QByteArray>
#include <QRect>
#include <QString>

#include <optional>

class CartridgeImage;

// A rectangle of tiles: what Copy takes from the map and Paste puts back,
// and what the brush stamps (one tile until a copy or a pick makes it
// larger). It travels on the clipboard in two forms: a private one that
// keeps the exact bytes, and text that a spreadsheet or text editor takes,
// one line per row, each tile as two hexadecimal digits, separated by tabs.
class MapPattern {
public:
    // The clipboard format of the exact bytes.
    static constexpr char MimeType[] = "application/x-orvane-map-cells";

    MapPattern() = default;
    // `tiles` holds width * height tiles, row after row.
    MapPattern(int width, int height, QByteArray tiles);
    static MapPattern Single(quint8 tile);
    // The tiles of the map cells in `cells` (clipped to the map).
    static MapPattern FromMap(const CartridgeImage& image, const QRect& cells);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_tiles.isEmpty(); }
    bool isSingle() const { return m_width == 1 && m_height == 1; }
    quint8 at(int column, int row) const { return static_cast<quint8>(m_tiles.at(row * m_width + column)); }
    // The cells it covers with its top left cell at `at`.
    QRect placedAt(const MapCell& at) const { return {at.column, at.row, m_width, m_height}; }

    // The map bytes that change when it is placed with its top left cell at
    // `at`: only cells inside `area` (and on the map) are placed, and cells
    // that already hold their tile are left out.
    MapCellChanges placement(const CartridgeImage& image, const MapCell& at, const QRect& area) const;

    QString toText() const;
    // A pattern read from text: rows on lines (a last empty line is allowed),
    // tiles separated by tabs, commas or blanks, each one or two hexadecimal
    // digits; every row as long as the first. Otherwise nothing, and `error`
    // says what is wrong and where ("Line 3, tile 5: \"G1\" is not a tile
    // number (00 to FF).").
    static std::optional<MapPattern> FromText(const QString& text, QString* error);

    QByteArray toBytes() const;
    static std::optional<MapPattern> FromBytes(const QByteArray& bytes);

    friend bool operator==(const MapPattern&, const MapPattern&) = default;

private:
    int m_width = 0;
    int m_height = 0;
    QByteArray m_tiles;
};
