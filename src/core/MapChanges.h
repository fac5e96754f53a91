#pragma once

#include "core/CartridgeImage.h"
#include "core/MapCell.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// Which map cells of the image differ from the cartridge file on disk (the
// edits not saved yet) and from its backup, "<file>.bak", made before the
// first write to the file (everything changed since then, saved or not).
// Without a backup the file has never been written by the editor, so the file
// itself is the oldest state: the cells changed since it are the unsaved ones.
// A file that cannot be read gives no reference, and no cell counts as changed against it.
class MapChanges {
public:
    enum Kind : quint8 { None = 0, Unsaved = 1, SinceBackup = 2 };

    // Reads the map's bytes of the file at `path` and of its backup.
    void readReferences(const QString& path);
    // No references, no changes.
    void clear();

    // Compares every cell with the image.
    void compareAll(const CartridgeImage& image);
    // Compares these cells again (a paint, an undo).
    void compare(const CartridgeImage& image, const MapCells& cells);

    // Unsaved | SinceBackup, or None; None off the map.
    quint8 kind(const MapCell& cell) const;
    int unsavedCount() const { return m_counts[0]; }
    int backupCount() const { return m_counts[1]; }

    // The next changed cell of either kind after `from` in reading order (row by
    // row, each from column 0 to 255), or before it when not `forward`; the search
    // wraps around the map's ends, so `from` itself comes last. Nothing when no cell changed.
    std::optional<MapCell> next(const MapCell& from, bool forward) const;

private:
    // The kind of the cell at `index` (row * 256 + column), whose byte in the image is `byte`.
    void setKind(int index, quint8 byte);

    QByteArray m_disk;  // the map's bytes in reading order (row * 256 + column); empty when unread
    QByteArray m_backup;
    std::vector<quint8> m_kinds = std::vector<quint8>(MapCell::Count, None);
    int m_counts[2] = {0, 0};
};
