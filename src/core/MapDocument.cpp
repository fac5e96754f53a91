#include "core/MapDocument.h"

#include "core/MapEditCommand.h"
#include "core/MapGeometry.h"

#include <algorithm>
#include <map>

MapDocument::MapDocument(QObject* parent) : QObject(parent), m_history(this)
{
    connect(&m_history, &QUndoStack::cleanChanged, this, &MapDocument::updateModified);
    connect(&m_history, &QUndoStack::indexChanged, this, &MapDocument::updateModified);
}

bool MapDocument::load(const QString& path, QString* error)
{
    if (!m_cartridge.LoadCartridge(path, error)) {
        return false;
    }
    m_strokeOpen = false;
    m_history.clear();
    ++m_revision;
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
    const int clean = m_history.cleanIndex();
    const int index = m_history.index();
    return clean < 0 || mapStepsBetween(std::min(clean, index), std::max(clean, index));
}

bool MapDocument::mapStepsBetween(int from, int to) const
{
    for (int i = from; i < to; ++i) {
        if (IsMapStep(m_history.command(i))) {
            return true;
        }
    }
    return false;
}

bool MapDocument::IsMapStep(const QUndoCommand* step)
{
    return dynamic_cast<const MapEditCommand*>(step) != nullptr;
}

void MapDocument::updateModified()
{
    const bool modified = isModified();
    if (modified != m_modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
}

void MapDocument::push(QUndoCommand* step)
{
    // A push drops the steps undone; when those between now and the saved
    // state change no map byte, the map now is the saved one, and stays
    // reachable as such.
    const int clean = m_history.cleanIndex();
    if (clean > m_history.index() && !mapStepsBetween(m_history.index(), clean)) {
        m_history.setClean();
    }
    m_history.push(step);
}

void MapDocument::pushStep(QUndoCommand* step)
{
    push(step);
}

void MapDocument::setCurrentBlock(int block)
{
    m_currentBlock = block;
}

std::optional<quint8> MapDocument::tileAt(const MapCell& cell) const
{
    if (!cell.isOnMap()) {
        return std::nullopt;
    }
    return image().at(MapGeometry::MapByteOffset(cell));
}

void MapDocument::beginStroke(const MapCell& cell, const MapPattern& stamp, const QRect& area)
{
    ++m_stroke;
    m_strokeOpen = true;
    m_strokeLast = cell;
    stampAt(cell, stamp, area);
}

void MapDocument::strokeTo(const MapCell& cell, const MapPattern& stamp, const QRect& area)
{
    if (!m_strokeOpen) {
        stampAt(cell, stamp, area);
        return;
    }
    // The line of top left cells whose stamps reach into the area.
    const QRect anchors = area.adjusted(1 - stamp.width(), 1 - stamp.height(), 0, 0);
    MapCells line = MapGeometry::CellLine(m_strokeLast, cell, anchors);
    if (cell != m_strokeLast && !line.isEmpty() && line.first() == m_strokeLast) {
        line.removeFirst();  // stamped by the position before
    }
    m_strokeLast = cell;
    for (const MapCell& c : line) {
        stampAt(c, stamp, area);
    }
}

void MapDocument::stampAt(const MapCell& cell, const MapPattern& stamp, const QRect& area)
{
    if (stamp.isSingle()) {
        if (cell.isIn(area)) {
            paintCell(cell, stamp.at(0, 0));
        }
        return;
    }
    MapCellChanges changes = stamp.placement(image(), cell, area);
    if (!changes.isEmpty()) {
        push(new MapEditCommand(*this, QStringLiteral("Paint"), m_stroke, std::move(changes)));
    }
    if (!m_strokeOpen) {
        ++m_stroke;
    }
}

void MapDocument::endStroke()
{
    const bool wasOpen = m_strokeOpen;
    m_strokeOpen = false;
    ++m_stroke;
    if (wasOpen) {
        emit strokeEnded();
    }
}

bool MapDocument::paintCell(const MapCell& cell, quint8 tile)
{
    if (!cell.isOnMap()) {
        return false;
    }
    const qint32 index = MapGeometry::MapByteOffset(cell);
    const quint8 before = image().at(index);
    if (before == tile) {
        announce({index});  // stored again and redrawn, but nothing to undo
    } else {
        push(new MapEditCommand(*this, QStringLiteral("Paint"), m_stroke, {{index, before, tile}}));
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
    for (int block = 1; block <= MapCell::Blocks; ++block) {
        if (scope == Scope::Block && block != m_currentBlock) {
            continue;
        }
        const quint8* bytes = image().data() + (*MapGeometry::BlockStart(block) - CartridgeImage::FirstIndex);
        count += static_cast<int>(std::count(bytes, bytes + MapCell::BlockCells, from));
    }
    return count;
}

int MapDocument::replaceTile(quint8 from, quint8 to, Scope scope)
{
    if (from == to) {
        return 0;
    }
    MapCellChanges changes;
    for (int block = 1; block <= MapCell::Blocks; ++block) {
        if (scope == Scope::Block && block != m_currentBlock) {
            continue;
        }
        const qint32 start = *MapGeometry::BlockStart(block);
        for (qint32 index = start; index < start + MapCell::BlockCells; ++index) {
            if (image().at(index) == from) {
                changes.append({index, from, to});
            }
        }
    }
    const auto count = static_cast<int>(changes.size());
    return applyEdit(QStringLiteral("Replace"), std::move(changes)) ? count : 0;
}

bool MapDocument::applyEdit(const QString& verb, MapCellChanges changes)
{
    changes.removeIf([](const MapCellChange& c) { return c.before == c.after; });
    if (changes.isEmpty()) {
        return false;
    }
    push(new MapEditCommand(*this, verb, 0, std::move(changes)));
    return true;
}

void MapDocument::restoreStep(const QString& text, MapCellChanges changes)
{
    auto* command = new MapEditCommand(*this, text, 0, std::move(changes));
    command->setText(text);
    push(command);
}

void MapDocument::applyChanges(const MapCellChanges& changes, bool forward)
{
    QList<qint32> indexes;
    indexes.reserve(changes.size());
    for (const MapCellChange& change : changes) {
        m_cartridge.image().set(change.index, forward ? change.after : change.before);
        indexes.append(change.index);
    }
    announce(indexes);
}

void MapDocument::announce(const QList<qint32>& indexes)
{
    ++m_revision;
    MapCells cells;
    cells.reserve(indexes.size());
    for (const qint32 index : indexes) {
        if (const auto cell = MapGeometry::CellAtOffset(index)) {
            cells.append(*cell);
        }
    }
    if (!cells.isEmpty()) {
        emit cellsChanged(cells);
    }
}

std::optional<MapDocument::StepPlace> MapDocument::placeOf(const QUndoCommand* command) const
{
    const auto* edit = dynamic_cast<const MapEditCommand*>(command);
    if (!edit) {
        return std::nullopt;
    }
    // The shown block when the step touches it, else the first block it touches.
    std::map<int, MapCells> byBlock;
    for (const MapCellChange& change : edit->changes()) {
        if (const auto cell = MapGeometry::CellAtOffset(change.index)) {
            byBlock[cell->block()].append(*cell);
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
