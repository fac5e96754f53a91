#pragma once

#include "core/MapCell.h"
#include "core/MapFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The cells of a Tiled tile layer the size of the overworld, as global tile
// ids (gids: the tile's number in its tileset plus the tileset's first gid, 0
// for an empty cell, flip flags in the top four bits), and the texts Tiled
// stores them in. The readers take exactly 65,536 cells and never allocate
// more than that, whatever the text claims.
namespace LayerData {

using Gids = QList<quint32>;

inline constexpr qsizetype Bytes = qsizetype(MapCell::Count) * 4;  // the base64 forms: 32-bit little-endian ids
inline constexpr quint32 FlipFlags = 0xF0000000;  // horizontal, vertical, diagonal, hexagonal 120

// The numbers `width` to a row, comma-separated, the rows joined by `rowJoin`.
// Numbers up to 256 are written from a table: this is the bulk of an export.
QByteArray NumberRows(const Gids& values, int width, QByteArrayView rowJoin);

// The ids as 32-bit little-endian numbers, compressed as `encoding` says
// (zlib's default level, as Tiled does), in base64. For a base64 encoding only.
QByteArray Base64Text(const Gids& gids, MapFormat::LayerEncoding encoding);

// The ids of comma-separated text (white space around each id allowed), or
// nothing with the reason in `reason`.
std::optional<Gids> FromCsv(QStringView text, QString* reason);

// The ids of base64 text (white space allowed), compressed as `compression`
// says: empty for none, "zlib" or "gzip" (zstd is refused).
std::optional<Gids> FromBase64(QStringView text, QStringView compression, QString* reason);

}  // namespace LayerData
