#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Reads a map saved as CSV, as Tiled exports a layer: 256 lines of 256
// comma-separated tile numbers 0..255 (Tiled writes -1 for an empty cell),
// with or without a byte order mark, with LF or CR LF line ends.
class CsvMapReader {
public:
    // The overworld's tile numbers from the text of a CSV map; or nothing with the reason.
    static std::optional<QByteArray> Read(QByteArrayView text, QString* reason);

private:
    // One field of a line as the tile number of `cell` (row by row from the top left).
    static bool ReadTile(QByteArrayView field, qsizetype cell, QByteArray& tiles, QString* reason);
};
