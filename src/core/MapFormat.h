#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The map files the overworld is exported to and imported from: Tiled's TMX
// (XML) and JSON maps, each with its tileset and tileset picture beside it,
// and plain CSV (one line of tile numbers per overworld row).
namespace MapFormat {

enum class Kind { Tmx, Json, Csv };

// How a Tiled map stores the cells of its tile layer (Tiled's "tile layer
// format"): comma-separated ids, one XML element per cell, or the ids as
// 32-bit little-endian numbers in base64, uncompressed or zlib or gzip compressed.
enum class LayerEncoding { Csv, Xml, Base64, Base64Zlib, Base64Gzip };

// Every kind, in the order the export dialog offers them.
inline constexpr Kind Kinds[] = {Kind::Tmx, Kind::Json, Kind::Csv};

// The suffixes of a kind, the one it is written with first: "tmx"; "tmj" and "json"; "csv".
QStringList Suffixes(Kind kind);
// The file dialog's name of a kind, "Tiled maps (*.tmx)", and its patterns, "*.tmx".
QString FilterDescription(Kind kind);
QString FilterPatterns(Kind kind);
// The patterns of every kind: "*.tmx *.tmj *.json *.csv".
QString AllPatterns();
// Every kind's suffixes as a message lists them, `more` last: ".tmx, .tmj, .json or .csv"
// (with "png": ".tmx, .tmj, .json, .csv or .png").
QString SuffixList(const QString& more = {});

// The kind a file name's suffix names, in any case: ".tmx"; ".tmj" or ".json";
// ".csv". Nothing for any other.
std::optional<Kind> FromPath(const QString& path);

// The files a map export writes beside the map, same folder and base name:
// "world.tmx" -> "world.tsx" and "world.png"; "world.tmj" -> "world.tsj" and
// "world.png". A CSV map has neither (empty).
QString TilesetPath(const QString& mapPath);
QString PicturePath(const QString& mapPath);

}  // namespace MapFormat
