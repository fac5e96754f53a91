#pragma once

#include "core/Cartridge.h"
#include "core/MapEditCommand.h"

#include <QObject>
#include <QPoint>
#include <QUndoStack>

#include <optional>

// The overworld being edited: the loaded cartridge (image and path), the
// block shown, and the history of map edits. Every change of a map byte goes
// through here, and every change is announced with the cells it touched, so
// whatever shows the map redraws just those cells.
//
// A cell is named within its block as 256 * local row + column.
class MapDocument : public QObject {
    Q_OBJECT
public:
    enum class Scope { Block, Overworld };

    // Where the next undo or redo acts: the block to show and its cells there.
    struct StepPlace {
        int block = 1;
        QList<int> cells;
    };

    explicit MapDocument(QObject* parent = nullptr);

    Cartridge& cartridge() { return m_cartridge; }
    const CartridgeImage& image() const { return m_cartridge.image(); }
    bool isLoaded() const { return m_cartridge.isLoaded(); }

    // Reads the cartridge; the history starts anew. A failed load changes nothing.
    bool load(const QString& path, QString* error);
    // Writes the image range back; the document is clean afterwards. The history stays.
    bool save(QString* error);
    // Map edits not yet saved.
    bool isModified() const;

    int currentBlock() const { return m_currentBlock; }
    void setCurrentBlock(int block);

    // The tile of a cell, or nothing outside the map.
    std::optional<quint8> tileAt(int block, int localRow, int column) const;

    // A stroke: every cell painted from the press to the release is one undo
    // step. It starts by painting the pressed cell; each later position paints
    // every cell on the straight line from the one before (the cells inside
    // the block; positions may lie anywhere). Without a stroke, strokeTo
    // paints just its cell, as a step of its own.
    void beginStroke(QPoint cell, quint8 tile);
    void strokeTo(QPoint cell, quint8 tile);
    void endStroke();
    // Stores `tile` into a cell of the current block and announces it, even
    // when the cell already held it. False outside the block's cells.
    bool paintCell(int column, int localRow, quint8 tile);

    // The cells holding `from` in the current block or the whole overworld.
    int replaceCount(quint8 from, quint8 to, Scope scope) const;
    // Puts `to` into each of them as one undo step; the number of cells changed.
    int replaceTile(quint8 from, quint8 to, Scope scope);

    QUndoStack& undoStack() { return m_history; }
    std::optional<StepPlace> nextUndoPlace() const;
    std::optional<StepPlace> nextRedoPlace() const;

    // Used by the history's commands.
    void applyChanges(const QList<MapEditCommand::Change>& changes, bool forward);

    // Cell index within a block and back.
    static constexpr int Cell(int localRow, int column) { return localRow * 256 + column; }

signals:
    // Cells (256 * local row + column) of `block` that were stored.
    void cellsChanged(int block, const QList<int>& cells);
    // A new cartridge was loaded: everything shown is stale.
    void reloaded();
    void modifiedChanged(bool modified);

private:
    std::optional<StepPlace> placeOf(const QUndoCommand* command) const;
    void announce(const QList<qint32>& indexes);

    Cartridge m_cartridge;
    int m_currentBlock = 1;
    QUndoStack m_history;
    quint64 m_stroke = 1;
    bool m_strokeOpen = false;
    QPoint m_strokeLast;
};
