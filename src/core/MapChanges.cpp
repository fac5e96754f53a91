#include "core/MapChanges.h"

#include "core/CartridgeFile.h"
#include "core/MapGeometry.h"

#include <QFileInfo>

#include <cstring>

namespace {

// The map's bytes of a cartridge file, in reading order; empty when it cannot be read.
// A short file's missing bytes count as zeros, as a load takes them.
QByteArray mapBytes(const QString& path)
{
    const auto range = CartridgeFile::readAvailable(path, CartridgeImage::FirstIndex, CartridgeImage::Size, nullptr);
    if (!range) {
        return {};
    }
    QByteArray image = *range;
    image.resize(CartridgeImage::Size, '\0');
    QByteArray cells(MapCell::Count, '\0');
    for (int block = 1; block <= MapCell::Blocks; ++block) {
        const qint32 start = *MapGeometry::BlockStart(block) - CartridgeImage::FirstIndex;
        std::memcpy(cells.data() + (block - 1) * MapCell::BlockCells, image.constData() + start, MapCell::BlockCells);
    }
    return cells;
}

}  // namespace

void MapChanges::readReferences(const QString& path)
{
    m_disk = mapBytes(path);
    const QString backup = CartridgeFile::backupPath(path);
    m_backup = QFileInfo::exists(backup) ? mapBytes(backup) : m_disk;
}

void MapChanges::clear()
{
    m_disk.clear();
    m_backup.clear();
    std::fill(m_kinds.begin(), m_kinds.end(), None);
    m_counts[0] = m_counts[1] = 0;
}

void MapChanges::compareCell(const CartridgeImage& image, int index)
{
    const MapCell cell{index % MapCell::Columns, index / MapCell::Columns};
    const char byte = static_cast<char>(image.at(MapGeometry::MapByteOffset(cell)));
    const quint8 kind = (!m_disk.isEmpty() && m_disk[index] != byte ? Unsaved : None) |
                        (!m_backup.isEmpty() && m_backup[index] != byte ? SinceBackup : None);
    const quint8 was = m_kinds[static_cast<std::size_t>(index)];
    m_counts[0] += ((kind & Unsaved) != 0) - ((was & Unsaved) != 0);
    m_counts[1] += ((kind & SinceBackup) != 0) - ((was & SinceBackup) != 0);
    m_kinds[static_cast<std::size_t>(index)] = kind;
}

void MapChanges::compareAll(const CartridgeImage& image)
{
    for (int index = 0; index < MapCell::Count; ++index) {
        compareCell(image, index);
    }
}

void MapChanges::compare(const CartridgeImage& image, const MapCells& cells)
{
    for (const MapCell& cell : cells) {
        if (cell.isOnMap()) {
            compareCell(image, cell.row * MapCell::Columns + cell.column);
        }
    }
}

quint8 MapChanges::kind(const MapCell& cell) const
{
    return cell.isOnMap() ? m_kinds[static_cast<std::size_t>(cell.row * MapCell::Columns + cell.column)] : quint8{None};
}

std::optional<MapCell> MapChanges::next(const MapCell& from, bool forward) const
{
    const int start = from.isOnMap() ? from.row * MapCell::Columns + from.column : (forward ? -1 : MapCell::Count);
    const int step = forward ? 1 : -1;
    for (int n = 1; n <= MapCell::Count; ++n) {
        const int index = ((start + step * n) % MapCell::Count + MapCell::Count) % MapCell::Count;
        if (m_kinds[static_cast<std::size_t>(index)] != None) {
            return MapCell{index % MapCell::Columns, index / MapCell::Columns};
        }
    }
    return std::nullopt;
}
