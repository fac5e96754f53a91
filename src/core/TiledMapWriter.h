#pragma once

#include "core/MapFormat.h"
#include "core/MapLocations.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// The overworld as Tiled's map files, written as Tiled 1.8 itself writes
// them (Tiled re-saves them unchanged), and as Tiled's CSV export.
//
// A map is 256 x 256 orthogonal cells of 16 x 16 pixels with one tile layer,
// "Overworld", and one object layer, "Locations". Its one tileset lies in a
// file of its own (firstgid 1, so a cell's global id is its tile number + 1):
// 256 tiles of 16 x 16, 16 to a row of a 256 x 256 picture, each tile exactly
// the pixels the map picture shows for it. Each location is a point object
// named as the location, of type "town" or "item", at the centre of its cell:
// (16 column + 8, 16 row + 8) in pixels. The readers ignore object layers.
//
// `tiles` is always the overworld's 65,536 tile numbers, row 0 first
// (OverworldTiles::FromImage).
namespace TiledMapWriter {

// The tileset picture: tile t at (16 (t % 16), 16 (t / 16)), the strip's
// cell halved as TileRaster::CopyTileToCell draws it.
QImage TilesetPicture(const QImage& strip);

// The map texts, naming their tileset file `tilesetSource` (relative to the map).
QByteArray Tmx(const QByteArray& tiles, const QList<MapLocation>& locations, const QString& tilesetSource,
               MapFormat::LayerEncoding encoding = MapFormat::LayerEncoding::Csv);
QByteArray Json(const QByteArray& tiles, const QList<MapLocation>& locations, const QString& tilesetSource,
                MapFormat::LayerEncoding encoding = MapFormat::LayerEncoding::Csv);

// The tileset texts (TSX and Tiled's JSON tileset), named `name`, whose
// picture is `imageSource` (relative to the tileset).
QByteArray Tsx(const QString& name, const QString& imageSource);
QByteArray Tsj(const QString& name, const QString& imageSource);

// 256 lines of 256 comma-separated tile numbers, each line ending in "\n".
QByteArray Csv(const QByteArray& tiles);

// One file of an export and what it holds.
struct File {
    QString path;
    QByteArray contents;
};

// The files Export writes for the map `path`: the map first, then (for a
// Tiled map) its tileset and the tileset picture beside it.
QList<File> Files(const QString& path, const QByteArray& tiles, const QList<MapLocation>& locations,
                  const QImage& strip, MapFormat::LayerEncoding encoding = MapFormat::LayerEncoding::Csv);

// Writes the map to `path` in the kind its suffix names (MapFormat::FromPath).
// A TMX map comes with its TSX tileset, a JSON map with its JSON tileset
// (".tsj", which Tiled 1.8 opens, so the three files read in any JSON
// reader), each with the tileset picture; they are written as one (see
// FileSetWriter). `error` names the file and the reason.
bool Export(const QString& path, const QByteArray& tiles, const QList<MapLocation>& locations, const QImage& strip,
            QString* error, MapFormat::LayerEncoding encoding = MapFormat::LayerEncoding::Csv);

}  // namespace TiledMapWriter
