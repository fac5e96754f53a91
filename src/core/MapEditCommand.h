#pragma once

#include <QHash>
#include <QList>
#include <QUndoCommand>

class MapDocument;

// One step of the map's history: the map bytes it changed, each with the
// value before and after, named "<verb> N Cells" ("Paint 12 Cells"). A
// press-to-release stroke grows one command (later cells of the same stroke
// merge into it); every other edit is one command.
class MapEditCommand : public QUndoCommand {
public:
    struct Change {
        qint32 index = 0;  // map byte offset in the image
        quint8 before = 0;
        quint8 after = 0;
    };

    // `stroke` is the number of the stroke the command belongs to, or 0 for
    // an edit that never merges; commands of the same stroke merge.
    MapEditCommand(MapDocument& document, QString verb, quint64 stroke, QList<Change> changes);

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

    const QList<Change>& changes() const { return m_changes; }

private:
    void updateText();

    MapDocument& m_document;
    QString m_verb;
    quint64 m_stroke;
    QList<Change> m_changes;
    QHash<qint32, qsizetype> m_position;  // index -> its place in m_changes
};
