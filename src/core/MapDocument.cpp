#include "core/MapDocument.h"

#include "core/MapGeometry.h"

#include <algorithm>
#include <map>

namespace {

// Block and cell of a map byte offset; nothing for a byte outside the map.
std::optional<std::pair<int, int>> cellOfIndex(qint32 index)
{
    const qint32 fromFirst = index - MapGeometry::FirstBlockStart;
    if (fromFirst < 0) {
        return std::nullopt;
    }
    const int block = static_cast<int>(fromFirst / MapGeometry::BlockStride) + 1;
    const int cell = static_cast<int>(fromFirst % MapGeometry::BlockStride);
    if (block > MapGeometry::Blocks || cell >= MapGeometry::BlockBytes) {
        return std::nullopt;
    }
    return std::make_pair(block, cell);
}

}  // namespace

MapDocument::MapDocument(QObject* parent) : QObject(parent), m_history(this)
{
    connect(&m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

bool MapDocument::load(const QString& path, QString* error)
{
    if (!m_cartridge.LoadCartridge(path, error)) {
        return false;
    }
    m_strokeOpen = false;
    m_history.clear();
    emit reloaded();
    return true;
}

bool MapDocument::save(QString* error)
{
    if (!m_cartridge.save(error)) {
        return false;
    }
    m_history.setClean();
    return true;
}

bool MapDocument::isModified() const
{
    return !m_history.isClean();
}

void MapDocument::setCurrentBlock(int block)
{
    m_currentBlock = block;
}

std::optional<quint8> MapDocument::tileAt(int block, int localRow, int column) const
{
    const auto start = MapGeometry::BlockStart(block);
    if (!start || !MapGeometry::IsCellInBlock(column, localRow)) {
        return std::nullopt;
    }
    return image().at(MapGeometry::MapByteOffset(*start, localRow, column));
}

void MapDocument::beginStroke(QPoint cell, quint8 tile)
{
    ++m_stroke;
    m_strokeOpen = true;
    m_strokeLast = cell;
    paintCell(cell.x(), cell.y(), tile);
}

void MapDocument::strokeTo(QPoint cell, quint8 tile)
{
    if (!m_strokeOpen) {
        paintCell(cell.x(), cell.y(), tile);
        return;
    }
    QList<QPoint> line = MapGeometry::CellLine(m_strokeLast, cell);
    if (cell != m_strokeLast && !line.isEmpty() && line.first() == m_strokeLast) {
        line.removeFirst();  // painted by the position before
    }
    m_strokeLast = cell;
    for (const QPoint& c : line) {
        paintCell(c.x(), c.y(), tile);
    }
}

void MapDocument::endStroke()
{
    m_strokeOpen = false;
    ++m_stroke;
}

bool MapDocument::paintCell(int column, int localRow, quint8 tile)
{
    const auto start = MapGeometry::BlockStart(m_currentBlock);
    if (!start || !MapGeometry::IsCellInBlock(column, localRow)) {
        return false;
    }
    const qint32 index = MapGeometry::MapByteOffset(*start, localRow, column);
    const quint8 before = image().at(index);
    if (before == tile) {
        announce({index});  // stored again and redrawn, but nothing to undo
    } else {
        m_history.push(new MapEditCommand(*this, MapEditCommand::Kind::Stroke, m_stroke, {{index, before, tile}}));
    }
    if (!m_strokeOpen) {
        ++m_stroke;
    }
    return true;
}

int MapDocument::replaceCount(quint8 from, quint8 to, Scope scope) const
{
    if (from == to) {
        return 0;
    }
    int count = 0;
    for (int block = 1; block <= MapGeometry::Blocks; ++block) {
        if (scope == Scope::Block && block != m_currentBlock) {
            continue;
        }
        const quint8* bytes = image().data() + (*MapGeometry::BlockStart(block) - CartridgeImage::FirstIndex);
        count += static_cast<int>(std::count(bytes, bytes + MapGeometry::BlockBytes, from));
    }
    return count;
}

int MapDocument::replaceTile(quint8 from, quint8 to, Scope scope)
{
    if (from == to) {
        return 0;
    }
    QList<MapEditCommand::Change> changes;
    for (int block = 1; block <= MapGeometry::Blocks; ++block) {
        if (scope == Scope::Block && block != m_currentBlock) {
            continue;
        }
        const qint32 start = *MapGeometry::BlockStart(block);
        for (qint32 index = start; index < start + MapGeometry::BlockBytes; ++index) {
            if (image().at(index) == from) {
                changes.append({index, from, to});
            }
        }
    }
    if (changes.isEmpty()) {
        return 0;
    }
    const auto count = static_cast<int>(changes.size());
    m_history.push(new MapEditCommand(*this, MapEditCommand::Kind::Replace, 0, std::move(changes)));
    return count;
}

void MapDocument::applyChanges(const QList<MapEditCommand::Change>& changes, bool forward)
{
    QList<qint32> indexes;
    indexes.reserve(changes.size());
    for (const MapEditCommand::Change& change : changes) {
        m_cartridge.image().set(change.index, forward ? change.after : change.before);
        indexes.append(change.index);
    }
    announce(indexes);
}

void MapDocument::announce(const QList<qint32>& indexes)
{
    std::map<int, QList<int>> byBlock;
    for (const qint32 index : indexes) {
        if (const auto cell = cellOfIndex(index)) {
            byBlock[cell->first].append(cell->second);
        }
    }
    for (const auto& [block, cells] : byBlock) {
        emit cellsChanged(block, cells);
    }
}

std::optional<MapDocument::StepPlace> MapDocument::placeOf(const QUndoCommand* command) const
{
    const auto* edit = dynamic_cast<const MapEditCommand*>(command);
    if (!edit || edit->changes().isEmpty()) {
        return std::nullopt;
    }
    // The shown block when the step touches it, else the first block it touches.
    std::map<int, QList<int>> byBlock;
    for (const MapEditCommand::Change& change : edit->changes()) {
        if (const auto cell = cellOfIndex(change.index)) {
            byBlock[cell->first].append(cell->second);
        }
    }
    if (byBlock.empty()) {
        return std::nullopt;
    }
    const auto shown = byBlock.find(m_currentBlock);
    const auto chosen = shown != byBlock.end() ? shown : byBlock.begin();
    return StepPlace{chosen->first, chosen->second};
}

std::optional<MapDocument::StepPlace> MapDocument::nextUndoPlace() const
{
    return m_history.canUndo() ? placeOf(m_history.command(m_history.index() - 1)) : std::nullopt;
}

std::optional<MapDocument::StepPlace> MapDocument::nextRedoPlace() const
{
    return m_history.canRedo() ? placeOf(m_history.command(m_history.index())) : std::nullopt;
}
