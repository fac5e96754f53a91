#include "core/MapEditCommand.h"

#include "core/MapDocument.h"

namespace {
constexpr int StrokeId = 0x5354;  // commands of one stroke merge; replaces never do
}

MapEditCommand::MapEditCommand(MapDocument& document, Kind kind, quint64 stroke, QList<Change> changes)
    : m_document(document), m_kind(kind), m_stroke(stroke), m_changes(std::move(changes))
{
    for (qsizetype i = 0; i < m_changes.size(); ++i) {
        m_position.insert(m_changes[i].index, i);
    }
    updateText();
}

int MapEditCommand::id() const
{
    return m_kind == Kind::Stroke ? StrokeId : -1;
}

bool MapEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const MapEditCommand*>(other);
    if (next->m_kind != Kind::Stroke || next->m_stroke != m_stroke) {
        return false;
    }
    for (const Change& change : next->m_changes) {
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
    const QString cells = n == 1 ? QStringLiteral("1 Cell") : QStringLiteral("%1 Cells").arg(n);
    setText((m_kind == Kind::Stroke ? QStringLiteral("Paint ") : QStringLiteral("Replace ")) + cells);
}
