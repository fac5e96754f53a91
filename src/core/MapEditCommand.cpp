#include "core/MapEditCommand.h"

#include "core/MapDocument.h"

namespace {
constexpr int StrokeId = 0x5354;  // commands of one stroke merge; other edits never do
}

MapEditCommand::MapEditCommand(MapDocument& document, QString verb, quint64 stroke, MapCellChanges changes)
    : m_document(document), m_verb(std::move(verb)), m_stroke(stroke), m_changes(std::move(changes))
{
    m_position.reserve(m_stroke != 0 ? m_changes.size() : 0);
    for (qsizetype i = 0; m_stroke != 0 && i < m_changes.size(); ++i) {
        m_position.insert(m_changes[i].index, i);
    }
    updateText();
}

int MapEditCommand::id() const
{
    return m_stroke != 0 ? StrokeId : -1;
}

bool MapEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const MapEditCommand*>(other);
    if (next->m_stroke != m_stroke) {
        return false;
    }
    for (const MapCellChange& change : next->m_changes) {
        const auto known = m_position.constFind(change.index);
        if (known != m_position.constEnd()) {
            m_changes[*known].after = change.after;  // the cell keeps its value from before the stroke
        } else {
            m_position.insert(change.index, m_changes.size());
            m_changes.append(change);
        }
    }
    updateText();
    return true;
}

void MapEditCommand::undo()
{
    m_document.applyChanges(m_changes, false);
}

void MapEditCommand::redo()
{
    m_document.applyChanges(m_changes, true);
}

void MapEditCommand::updateText()
{
    const qsizetype n = m_changes.size();
    setText(m_verb + (n == 1 ? QStringLiteral(" 1 Cell") : QStringLiteral(" %1 Cells").arg(n)));
}
