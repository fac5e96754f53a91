#pragma once

#include "core/MapFormat.h"
#include "core/TiledMapHeader.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Reads the overworld back from a map file: a Tiled map (TMX or JSON) as
// Tiled saves it, or a CSV file as Tiled exports it. Each format has its
// reader (TmxMapReader, JsonMapReader, CsvMapReader; the Tiled maps share
// TiledMapHeader's rules); this picks the reader and reads the file.
//
// A Tiled map must be orthogonal, finite and 256 x 256 cells, with one tile
// layer, or several of which exactly one is named "Overworld". Its cells may
// be stored in any of Tiled's layer formats but zstd: CSV, XML <tile>
// elements, base64 uncompressed, zlib or gzip; tilesets may be embedded or
// external (TSX or JSON, relative to the map) with any first gid. Every cell
// must hold a tile, neither flipped nor rotated, of the tileset that holds
// the tile of the first cell, whose number there (the gid minus the tileset's
// first gid) is 0..255. Object, image and group layers are passed over (the
// tile layers inside groups count). A CSV file holds 256 lines of 256
// comma-separated tile numbers (0..255; Tiled writes -1 for an empty cell).
//
// Anything else is refused, with the reason; nothing is ever partly read.
// Sizes come from the overworld, never from the file: a layer must hold
// exactly 65,536 cells, and compressed data must give exactly 262,144 bytes.
namespace TiledMapReader {

using TilesetLoader = TiledMapHeader::TilesetLoader;

// The overworld's 65,536 tile numbers, row 0 first, from the text of a map
// of `kind`; or nothing, with `error` saying "The map "<name>" could not be
// imported: <reason>."
std::optional<QByteArray> Read(const QByteArray& bytes, MapFormat::Kind kind, const QString& name,
                               const TilesetLoader& loadTileset, QString* error);

// Read() on the file at `path`, of the kind its suffix names, with external
// tilesets read relative to its folder. A map file over 64 MiB or a tileset
// file over 16 MiB is refused unread.
std::optional<QByteArray> Import(const QString& path, QString* error);

// Reads tileset files relative to `folder`.
TilesetLoader FolderLoader(const QString& folder);

}  // namespace TiledMapReader
