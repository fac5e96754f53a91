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

void MapChanges::setKind(int index, quint8 byte)
{
    const auto at = static_cast<std::size_t>(index);
    const auto differs = [index, byte](const QByteArray& reference) {
        return !reference.isEmpty() && static_cast<quint8>(reference.constData()[index]) != byte;
    };
    const quint8 kind = (differs(m_disk) ? Unsaved : None) | (differs(m_backup) ? SinceBackup : None);
    const quint8 was = m_kinds[at];
    m_counts[0] += ((kind & Unsaved) != 0) - ((was & Unsaved) != 0);
    m_counts[1] += ((kind & SinceBackup) != 0) - ((was & SinceBackup) != 0);
    m_kinds[at] = kind;
}

void MapChanges::compareAll(const CartridgeImage& image)
{
    // Block by block, row by row: a row's bytes lie side by side in the image.
    for (int block = 1; block <= MapCell::Blocks; ++block) {
        const qint32 start = *MapGeometry::BlockStart(block);
        for (int localRow = 0; localRow < MapCell::BlockRows; ++localRow) {
            const quint8* bytes =
                image.data() + (MapGeometry::MapByteOffset(start, localRow, 0) - CartridgeImage::FirstIndex);
            const int first = MapCell::InBlock(block, localRow, 0).row * MapCell::Columns;
            for (int column = 0; column < MapCell::Columns; ++column) {
                setKind(first + column, bytes[column]);
            }
        }
    }
}

void MapChanges::compare(const CartridgeImage& image, const MapCells& cells)
{
    if (cells.size() > MapCell::BlockCells) {
        compareAll(image);  // a paste or an import over much of the map
        return;
    }
    for (const MapCell& cell : cells) {
        if (cell.isOnMap()) {
            setKind(cell.row * MapCell::Columns + cell.column, image.at(MapGeometry::MapByteOffset(cell)));
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
