#pragma once

#include <QHash>
#include <QList>
#include <QUndoCommand>

class MapDocument;

// One step of the map's history: the map bytes it changed, each with the
// value before and after. A press-to-release stroke grows one command (later
// cells of the same stroke merge into it); a replace is one command.
class MapEditCommand : public QUndoCommand {
public:
    enum class Kind { Stroke, Replace };

    struct Change {
        qint32 index = 0;  // map byte offset in the image
        quint8 before = 0;
        quint8 after = 0;
    };

    // A stroke's command carries `stroke`, the number of its press; commands
    // of the same stroke merge.
    MapEditCommand(MapDocument& document, Kind kind, quint64 stroke, QList<Change> changes);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

    const QList<Change>& changes() const { return m_changes; }

private:
    void updateText();

    MapDocument& m_document;
    Kind m_kind;
    quint64 m_stroke;
    QList<Change> m_changes;
    QHash<qint32, qsizetype> m_position;  // index -> its place in m_changes
};
