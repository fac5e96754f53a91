#pragma once

#include "core/Cartridge.h"
#include "core/MapCell.h"
#include "core/MapCellChange.h"
#include "core/MapPattern.h"

#include <QObject>
#include <QRect>
#include <QUndoStack>

#include <optional>

// The overworld being edited: the loaded cartridge (image and path), the
// block shown, and the history of map edits. Every change of a map byte goes
// through here, and every change is announced with the cells it touched, so
// whatever shows the map redraws just those cells.
class MapDocument : public QObject {
    Q_OBJECT
public:
    enum class Scope { Block, Overworld };

    // Where the next undo or redo acts: the block to show and its cells there.
    struct StepPlace {
        int block = 1;
        MapCells cells;
    };

    explicit MapDocument(QObject* parent = nullptr);

    Cartridge& cartridge() { return m_cartridge; }
    const Cartridge& cartridge() const { return m_cartridge; }
    const CartridgeImage& image() const { return m_cartridge.image(); }
    bool isLoaded() const { return m_cartridge.isLoaded(); }

    // Reads the cartridge; the history starts anew. A failed load changes nothing.
    bool load(const QString& path, QString* error);
    // Writes the image range back; the document is clean afterwards. The history stays.
    bool save(QString* error);
    // Map edits not yet saved: a map step lies between the saved state and now.
    // Steps that change no map byte (a location moved) never count.
    bool isModified() const;

    int currentBlock() const { return m_currentBlock; }
    void setCurrentBlock(int block);

    // The tile of a cell, or nothing off the map.
    std::optional<quint8> tileAt(const MapCell& cell) const;

    // A stroke: every cell painted from the press to the release is one undo
    // step. It starts by stamping the pattern (most often one tile) with its
    // top left cell on the pressed cell; each later position stamps it on
    // every cell of the straight line from the one before, so a fast drag
    // leaves no gaps. Only cells inside `area` (a block, or the whole
    // overworld) are painted; positions may lie anywhere. Without a stroke,
    // strokeTo stamps just its cell, as a step of its own.
    void beginStroke(const MapCell& cell, const MapPattern& stamp, const QRect& area);
    void strokeTo(const MapCell& cell, const MapPattern& stamp, const QRect& area);
    void endStroke();
    // True from a stroke's press to its release: its step may still grow.
    bool isStrokeOpen() const { return m_strokeOpen; }
    // Stores `tile` into a cell and announces it, even when the cell already
    // held it. False off the map.
    bool paintCell(const MapCell& cell, quint8 tile);

    // The cells holding `from` in the current block or the whole overworld.
    int replaceCount(quint8 from, quint8 to, Scope scope) const;
    // Puts `to` into each of them as one undo step; the number of cells changed.
    int replaceTile(quint8 from, quint8 to, Scope scope);

    // Any edit of many cells as one undo step named "<verb> N Cells";
    // changes that keep a byte as it is are left out. False when nothing changes.
    bool applyEdit(const QString& verb, MapCellChanges changes);
    // A step brought back from the journal of unsaved edits, under the undo
    // text it had ("Paint 12 Cells"), as one undo step.
    void restoreStep(const QString& text, MapCellChanges changes);

    // Bytes just written straight to the file (a Game table's) stored into the
    // image as well, for those offsets it holds, so a later save keeps them.
    // They lie outside the map's cells: no step, no announcement.
    void storeWritten(const QList<FilePatch>& patches) { m_cartridge.storeWritten(patches); }

    // A step of the history that changes no map byte (a town moved, written to
    // the file at once): Edit > Undo takes it back with the map's steps, but it
    // never makes the map modified, and the journal of map edits leaves it out.
    // Pushing does the step (QUndoCommand::redo).
    void pushStep(QUndoCommand* step);
    // True for a step of the map's cells (MapEditCommand).
    static bool IsMapStep(const QUndoCommand* step);

    // Grows with every change of the map's bytes and every load, so what was
    // worked out from the map can tell whether it still holds.
    quint64 revision() const { return m_revision; }

    QUndoStack& undoStack() { return m_history; }
    const QUndoStack& undoStack() const { return m_history; }
    std::optional<StepPlace> nextUndoPlace() const;
    std::optional<StepPlace> nextRedoPlace() const;

    // Used by the history's commands.
    void applyChanges(const MapCellChanges& changes, bool forward);

signals:
    // Cells whose bytes were stored.
    void cellsChanged(const MapCells& cells);
    // A new cartridge was loaded: everything shown is stale.
    void reloaded();
    void modifiedChanged(bool modified);
    // A stroke ended: its step is complete.
    void strokeEnded();

private:
    void stampAt(const MapCell& cell, const MapPattern& stamp, const QRect& area);
    std::optional<StepPlace> placeOf(const QUndoCommand* command) const;
    void announce(const QList<qint32>& indexes);
    // Every step goes into the history through here.
    void push(QUndoCommand* step);
    bool mapStepsBetween(int from, int to) const;
    void updateModified();

    Cartridge m_cartridge;
    int m_currentBlock = 1;
    QUndoStack m_history;
    quint64 m_stroke = 1;
    quint64 m_revision = 0;
    bool m_strokeOpen = false;
    bool m_modified = false;
    MapCell m_strokeLast;
};
