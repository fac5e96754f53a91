#pragma once

#include "core/MapCellChange.h"

#include <QHash>
#include <QUndoCommand>

class MapDocument;

// One step of the map's history: the map bytes it changed, each with the
// value before and after, named "<verb> N Cells" ("Paint 12 Cells"). A
// press-to-release stroke grows one command (later cells of the same stroke
// merge into it); every other edit is one command.
class MapEditCommand : public QUndoCommand {
public:
    // `stroke` is the number of the stroke the command belongs to, or 0 for
    // an edit that never merges; commands of the same stroke merge.
    MapEditCommand(MapDocument& document, QString verb, quint64 stroke, MapCellChanges changes);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

    const MapCellChanges& changes() const { return m_changes; }

private:
    void updateText();

    MapDocument& m_document;
    QString m_verb;
    quint64 m_stroke;
    MapCellChanges m_changes;
    QHash<qint32, qsizetype> m_position;  // index -> its place in m_changes
};
