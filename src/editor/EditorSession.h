#pragma once

#include "core/MapCell.h"
#include "core/MapChanges.h"
#include "core/MapDocument.h"
#include "core/MapPattern.h"
#include "editor/BlockDrawing.h"
#include "editor/CharacterTable.h"
#include "editor/LayoutMemory.h"
#include "editor/LocationMoves.h"
#include "editor/LocationPicker.h"
#include "editor/LocationTable.h"
#include "editor/PriceTable.h"
#include "editor/MapTool.h"
#include "editor/RecentFiles.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class CommonDialog;
class EditJournal;
class EmulatorLauncher;
class ExternalChangeWatcher;
class PasteTool;
class Platform;

// One editing session of a cartridge, without any window: the map document,
// the current tile, the cell under the pointer, the grid, the active tool,
// the game tables and the location a side window waits for, and the workflows of loading, saving
// and reloading. Every dialog and message goes through the platform. Windows
// show the session and forward the user's actions to it; what they must
// show changes through the signals below. The map tools see the session
// through a ToolContext only.
class EditorSession : public QObject {
    Q_OBJECT
public:
    explicit EditorSession(Platform& platform, QObject* parent = nullptr);
    ~EditorSession() override;

    // "Orvane II: The Seeker's Crown Map Editor v1.0"
    static QString Title();

    // The map being edited, to show and to follow through its signals; it
    // changes only through the session's commands and tools.
    const MapDocument& document() const { return m_doc; }
    const CartridgeImage& image() const { return m_doc.image(); }
    bool isLoaded() const { return m_doc.isLoaded(); }
    // The file loaded last (`CartridgePath`); empty before the first load.
    const QString& cartridgePath() const { return m_doc.cartridge().CartridgePath(); }
    const QStringList& recentFiles() const { return m_recent.files(); }

    // The game data of the loaded cartridge, which the Game windows show and
    // edit; the location tables are read at every load. The picker holds the
    // locations those windows wait for from the map.
    LocationTable& itemsTable() { return m_itemsTable; }
    LocationTable& townsTable() { return m_townsTable; }
    const LocationTable& itemsTable() const { return m_itemsTable; }
    const LocationTable& townsTable() const { return m_townsTable; }
    PriceTable& priceTable() { return m_priceTable; }
    CharacterTable& characterTable() { return m_characterTable; }
    LocationPicker& picker() { return m_picker; }
    // The rows of the towns that share a screen with two others (see LocationMoves), and what the status line
    // says of them ("Warps may fail: Ferrow, Olm and Brask share a screen"; empty when none do).
    QList<int> crowdedTowns() const { return m_locationMoves.crowdedTowns(); }
    QString crowdWarning() const { return m_locationMoves.warning(); }

    // View > Locations: the towns, items and balloon drawn on the main map (`world` false; off at first)
    // and on the world map (on at first); each choice is remembered in the settings.
    bool locationsShown(bool world) const;
    void setLocationsShown(bool world, bool shown);
    // View > Show Changes: the cells that differ from the file on disk and from its backup, outlined on
    // both maps and counted in the status bar (off at first; remembered). They follow every change at once.
    bool changesShown() const { return m_changesShown; }
    void setChangesShown(bool shown);
    const MapChanges& changes() const { return m_changes; }
    // "12 unsaved, 40 since backup"; empty while the changes are not shown.
    QString changesStatus() const;
    // F8 and Shift+F8: the cursor to the next (previous) changed cell of either kind in reading order,
    // from the cursor's cell (or the map's start), wrapping around the map; false when none changed.
    bool showNextChange(bool forward);

    // What is remembered between runs (see LayoutMemory).
    LayoutMemory& memory() { return m_memory; }
    // View > Reset Layout: the tool, the grid and the View menu's switches as at the first start, and
    // everything remembered forgotten; the windows put themselves back on layoutReset.
    void resetLayout();

    // The 32 x 8192 tile strip, rebuilt at every load.
    const QImage& tileStrip() const { return m_strip; }

    // The window's caption: the title, or the progress of long work. While a
    // block is drawn it names the cell being drawn ("Loading Map - (001, 000)"),
    // a text made only when asked for.
    QString caption() const;
    // Puts the title back at the end of a piece of work.
    void showTitle();

    // ---- Loading and saving -------------------------------------------------

    // "Load Rom": the open dialog, then the load of the chosen file.
    void openCartridge();
    // The load after the open dialog (or the command line, a drop, a recent
    // file, an applied patch): check the file, rebuild the strip, read the
    // image, show block 1, make tile 0 current, enable editing. A file that
    // cannot be loaded leaves everything as it was, with a message.
    void LoadRom(const QString& path);
    // A file of the recent files list; one that no longer exists leaves the list.
    void loadRecent(const QString& path);
    bool isLoading() const { return m_loading > 0; }
    // "Save Changes", with its message.
    void save();

    // ---- The block, the tile, the pointer, the grid --------------------------

    int currentBlock() const { return m_doc.currentBlock(); }
    // Shows block 1..8, as choosing it in the block list does.
    void selectBlock(int block);
    // 16400 + (block - 1) * 16384, or the "Fatal Error!" message and 0.
    qint32 BlockStartOffset(int block);
    // Draws the block that starts at image index `start` into `picture` (the
    // map view's), cell by cell: after each cell the caption names it and the
    // event loop runs. Then the grid, when it is shown, and the title. A newer
    // drawing or the end of the program stops it at its next cell; false then,
    // and the picture is the newer drawing's.
    bool DrawBlock(qint32 start, QImage& picture);

    std::optional<quint8> currentTile() const { return m_currentTile; }
    // A press at `y` pixels on the tile strip: tile y / 32 becomes current.
    void SelectTile(double y);
    // The palette's keys: the tile `steps` after the current one (before it when negative) becomes current,
    // kept within the first and the last tile. Nothing before a load.
    void stepTile(int steps);
    // Edit > Go to Tile: asks for a tile number, typed in hexadecimal as the editor shows it ("3A", "$3A",
    // "0x3A"), makes that tile current and brings it into view. A text that is no tile number is refused
    // with a message; Cancel changes nothing.
    void goToTile();
    // "tile 3A", the current tile for screen readers; empty before the first load.
    QString tileDescription() const;
    // The tile under `cell` becomes current and is brought into view in the strip.
    void pickTileAt(const MapCell& cell);

    // The cell over which the pointer last moved on a map view.
    std::optional<MapCell> pointerCell() const { return m_pointerCell; }
    // The keyboard's cell cursor, shared by both map views; none before it is first placed. A press on a map
    // view also places it.
    std::optional<MapCell> cursorCell() const { return m_cursorCell; }
    // Puts the cursor on `cell` and shows it: its block, scrolled into view. A cell off the map changes nothing.
    void setCursorCell(const MapCell& cell);
    // Whether the views draw the cursor: once the keyboard placed or used it, not after a press of the mouse
    // placed it.
    bool isCursorShown() const { return m_cursorCell && m_cursorShown; }
    // A map view took the keyboard: the cursor starts at `first`, the view's first cell in sight, unless
    // it stands somewhere already; it is shown. Nothing before a load.
    void startCursor(const MapCell& first);
    // The arrow keys and Page Up / Page Down: the cursor moves `columns` across and `rows` down, into the next
    // block (which is shown) and up to the world's edges. With `stretch` (Shift) a tool that drags rectangles
    // stretches one from where the stretch began (the anchor) to the cursor: the selection, or the rectangle
    // to fill; a move without it ends a stretch unused. The tool follows the cursor as it follows the pointer.
    void moveCursor(int columns, int rows, bool stretch);
    // Where a stretch began; none while no stretch is under way.
    std::optional<MapCell> cursorAnchor() const { return m_cursorAnchor; }
    // Space: the active tool acts at the cursor as a left click there does (one undo step); a stretch ends
    // with the release at the cursor, so the rectangle is filled or stays selected.
    void applyAtCursor();
    // The tile under the cursor becomes current, as a right press takes it.
    void pickTileAtCursor();
    // The cell under the cursor for screen readers, "column 40, row 12, tile 3A"; empty without a cursor.
    QString cursorDescription() const;

    QColor GridColor() const;
    bool isGridShown() const { return m_gridShown; }
    void setGridShown(bool shown);
    // A click on the grid colour swatch: the colour dialog, while the grid is shown.
    void picGridColor_Click();

    // ---- The mouse on a map view, the tools ------------------------------------

    // Presses answer a location the picker waits for, else go to the active tool.
    void mapPress(const MapToolEvent& event);
    void mapMove(const MapToolEvent& event);
    void mapRelease(const MapToolEvent& event);
    // A press (QEvent::MouseButtonPress), move (MouseMove) or release (MouseButtonRelease) on a map view.
    void mapEvent(QEvent::Type type, const MapToolEvent& event);
    // The id of the tool chosen (ToolRegistry's first at start); a floating paste goes before it.
    QString tool() const;
    // Chooses a tool of ToolRegistry by its id ("Fill"); an unknown id changes nothing.
    void setTool(const QString& id);
    // A brush stroke under way ends before anything else acts (another tool,
    // a command, a load, the end of the program): its step is complete and
    // journaled at once, even when its button's release never comes.
    void endStroke();
    // What the active tool shows at the pointer: cells to outline, and a text.
    QRect toolPreview() const;
    // The tiles a stamp or a floating paste would place on toolPreview()'s cells; none for an outline alone.
    MapPattern toolPreviewTiles() const;
    QString toolStatus() const;

    // The brush's stamp: the current tile, or the cells a copy or a right drag took.
    const MapPattern& stamp() const { return m_stamp; }
    void setStamp(const MapPattern& stamp);

    // ---- Selection and clipboard ---------------------------------------------------

    std::optional<QRect> selection() const { return m_selection; }
    void setSelection(const std::optional<QRect>& cells);
    void selectAll();
    // Escape: a location waited for, a floating paste or a drag under way is dropped, else the selection;
    // false when there was none.
    bool cancel();
    // Puts the selected cells on the clipboard (exact bytes, and as text);
    // they become the brush's stamp. False without a selection.
    bool copy();
    // Copy, then the current tile into every selected cell; one undo step.
    void cut();
    // The current tile into every selected cell; one undo step.
    void deleteSelection();
    // Takes map cells from the clipboard (the exact bytes, or text of tile
    // numbers) and floats them under the pointer until a click places them.
    // Text that is not a rectangle of tile numbers is refused with a message
    // that says what is wrong and where; nothing changes.
    void paste();
    bool isPasting() const { return m_paste != nullptr; }

    // ---- History and the world ----------------------------------------------

    // Undo and redo; a step in another block first shows that block.
    void undo();
    void redo();
    // The replace window's starting tiles: the tile under the pointer (or the
    // current tile) and the current tile.
    std::pair<quint8, quint8> replaceDefaults() const;
    // Edit > Replace Tile: the cells holding `from`, and `to` put into each as one undo step.
    int replaceCount(quint8 from, quint8 to, MapDocument::Scope scope) const;
    int replaceTile(quint8 from, quint8 to, MapDocument::Scope scope);
    // Shows an overworld cell: its block, scrolled into view.
    void showOverworldCell(const MapCell& cell);

    // ---- Files beside the cartridge, help --------------------------------------

    void exportMapImage();
    // The overworld out to a Tiled map or CSV file, and in from one as one undo step.
    void exportMap();
    void importMap();
    void createPatch();
    void applyPatch();
    // Where the journals of unsaved map edits are kept (the user's state folder unless set).
    void setJournalFolder(const QString& folder);

    // Tools > Test in Emulator: the cartridge with its unsaved map edits, as a
    // temporary copy of its own, opened in the emulator (see EmulatorLauncher).
    // The cartridge file, the history and the journal stay as they are.
    void testInEmulator();
    // Tools > Emulator...: the command that starts the emulator.
    void chooseEmulator();

    // The executable's folder, where the help file is looked for (and at the
    // install location relative to it).
    void setHelpFolder(const QString& folder) { m_helpFolder = folder; }
    void showHelp();

    // The program is ending: a block drawing stops at its next cell (and none
    // starts), a load at its next step; the emulator's copies are removed.
    void shutDown();
    bool isClosing() const { return m_closing; }

signals:
    // The caption changed: to be shown at once when `urgent` (the start or the
    // end of a piece of work), else within a frame (a drawing's progress, at every cell).
    void captionChanged(bool urgent);
    // A load begins: editing is off until loadEnded.
    void loadStarted();
    // A load ended; when `loaded`, editing is on, else as before the load.
    void loadEnded(bool loaded);
    // A cartridge was read from `path` (before its block is drawn).
    void cartridgeLoaded(const QString& path);
    void tileStripChanged();
    // The block to show: draw it (during a load, out of sight).
    void blockChosen(int block);
    void currentTileChanged(int tile);
    // Bring the tile into view in the strip.
    void tileRevealed(int tile);
    void pointerMoved(const MapCell& cell);
    // The cursor stands on another cell (drawn there by both views).
    void cursorMoved(const MapCell& cell);
    // The keyboard moved the cursor: the views scroll to keep it in sight.
    void cursorRevealed(const MapCell& cell);
    void gridChanged();
    void toolChanged(const QString& id);
    void selectionChanged();
    // The active tool's preview or status may have changed.
    void toolPreviewChanged();
    // Scroll so that one of these cells is in view.
    void cellsRevealed(const MapCells& cells);
    // No viewer could be started for the help file: show its text, read from `path`.
    void helpTextWanted(const QString& path, const QString& text);
    void recentFilesChanged();
    // A location was moved, or the markers were switched on or off: the maps draw their markers again.
    void locationsChanged();
    // The changed cells (see changes()) of `cells` may differ; all of them when `cells` is empty.
    void changesChanged(const MapCells& cells);
    // View > Reset Layout: every window back as at the first start.
    void layoutReset();

private:
    class Tools;

    MapTool& activeTool();
    const MapTool& activeTool() const;
    bool checkBeforeLoad(const QString& path);
    bool LoadCartridge(const QString& path);
    void BuildTileStrip();
    void setCaption(const QString& text, bool urgent);
    void pointAt(const MapCell& cell);
    // A press on a map cell, from the mouse or the keyboard.
    void pressAt(const MapToolEvent& event);
    // A stretch of the keyboard under way ends; the tool drops its drag.
    void endCursorStretch();
    void stepHistory(bool undo);
    void reloadMapFromDisk();
    void selectTile(int tile);
    void fillSelection(const QString& verb);
    // The floating paste was placed or dropped.
    void endPaste();
    void showHelpText(const QString& path);
    // The file or its backup may have changed on disk: everything compared again.
    void compareChanges();

    Platform& m_platform;
    LayoutMemory m_memory;
    MapDocument m_doc;
    CommonDialog* m_dlgMain = nullptr;
    ExternalChangeWatcher* m_watcher = nullptr;
    EditJournal* m_journal = nullptr;
    std::unique_ptr<EmulatorLauncher> m_emulator;
    RecentFiles m_recent;
    LocationPicker m_picker;
    LocationTable m_itemsTable{LocationTable::Kind::Items, m_platform, m_doc};
    LocationTable m_townsTable{LocationTable::Kind::Towns, m_platform, m_doc};
    PriceTable m_priceTable{m_platform, m_doc};
    CharacterTable m_characterTable{m_platform, m_doc};
    LocationMoves m_locationMoves{m_itemsTable, m_townsTable, m_doc, m_platform};
    std::unique_ptr<Tools> m_toolContext;
    std::vector<std::unique_ptr<MapTool>> m_tools;  // ToolRegistry's, in its order
    std::size_t m_toolChosen = 0;
    std::unique_ptr<PasteTool> m_paste;
    std::unique_ptr<PasteTool> m_pasteDone;  // kept until the next event: it may be running
    MapPattern m_stamp;
    std::optional<QRect> m_selection;
    QImage m_strip;
    BlockDrawing m_drawing;
    QString m_caption;
    std::optional<QPoint> m_drawnCell;  // while the caption shows a drawing's progress: x the column, y the row
    QString m_helpFolder;
    std::optional<quint8> m_currentTile;
    std::optional<MapCell> m_pointerCell;
    std::optional<MapCell> m_cursorCell;
    std::optional<MapCell> m_cursorAnchor;
    bool m_cursorShown = false;
    bool m_gridShown = true;
    bool m_changesShown = false;
    MapChanges m_changes;
    int m_loading = 0;  // loads under way
    bool m_closing = false;
    bool m_steppingHistory = false;
    bool m_locationsShown[2] = {false, true};  // without settings: the main map's, the world map's
};
