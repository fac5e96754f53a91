#include "editor/EditorSession.h"

#include "core/CartridgeFile.h"
#include "core/MapGeometry.h"
#include "core/NumberText.h"
#include "core/ProgramInfo.h"
#include "core/TileRaster.h"
#include "core/MapRegions.h"
#include "editor/CommonDialog.h"
#include "editor/EditJournal.h"
#include "editor/EmulatorLauncher.h"
#include "editor/ExternalChangeWatcher.h"
#include "editor/FileCommands.h"
#include "editor/HelpCommand.h"
#include "editor/LocationMoveCommand.h"
#include "editor/PasteTool.h"
#include "editor/Platform.h"
#include "editor/ToolContext.h"
#include "editor/ToolRegistry.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The title of every message that says a file could not be loaded.
const QString LoadFailed = QStringLiteral("Could not load the file");
const QString NothingLoaded = QStringLiteral("Nothing was loaded.");
const QString& MapLocationsKey = LayoutMemory::MapLocations;
const QString& WorldLocationsKey = LayoutMemory::WorldLocations;

}  // namespace

// The session as its tools see it.
class EditorSession::Tools final : public ToolContext {
public:
    explicit Tools(EditorSession& session) : m_session(session) {}

    MapDocument& document() override { return m_session.m_doc; }
    const CartridgeImage& image() const override { return m_session.image(); }
    std::optional<quint8> currentTile() const override { return m_session.currentTile(); }
    void pickTileAt(const MapCell& cell) override { m_session.pickTileAt(cell); }
    const MapPattern& stamp() const override { return m_session.stamp(); }
    void setStamp(const MapPattern& stamp) override { m_session.setStamp(stamp); }
    std::optional<QRect> selection() const override { return m_session.selection(); }
    void setSelection(const std::optional<QRect>& cells) override { m_session.setSelection(cells); }
    LocationMoves& locations() override { return m_session.m_locationMoves; }
    void endPaste() override { m_session.endPaste(); }

private:
    EditorSession& m_session;
};

EditorSession::EditorSession(Platform& platform, QObject* parent)
    : QObject(parent), m_platform(platform), m_memory(platform.settings()), m_recent(platform.settings()),
      m_toolContext(std::make_unique<Tools>(*this)),
      m_strip(TileRaster::StripWidth, TileRaster::StripHeight, TileRaster::Format), m_drawing(platform),
      m_caption(Title())
{
    for (const ToolRegistry::Entry& entry : ToolRegistry::Tools()) {
        m_tools.push_back(entry.make(*m_toolContext));
    }
    m_dlgMain = new CommonDialog(platform, this);
    m_watcher = new ExternalChangeWatcher(
        platform, this, [this] { return m_doc.isModified(); }, [this] { reloadMapFromDisk(); });
    m_journal = new EditJournal(m_doc, platform, this);
    m_emulator = std::make_unique<EmulatorLauncher>(platform);
    m_strip.fill(Qt::black);
    connect(&m_picker, &LocationPicker::waitingChanged, this, &EditorSession::toolPreviewChanged);
    for (const LocationTable* table : {&m_itemsTable, &m_townsTable}) {
        connect(table, &LocationTable::changed, this, &EditorSession::locationsChanged);
        connect(table, &LocationTable::changed, this, &EditorSession::toolPreviewChanged);
        // A location's write makes the backup when it is the file's first.
        connect(table, &LocationTable::changed, this, &EditorSession::compareChanges);
    }
    connect(&m_priceTable, &PriceTable::changed, this, &EditorSession::compareChanges);
    connect(&m_characterTable, &CharacterTable::changed, this, &EditorSession::compareChanges);
    connect(&m_doc, &MapDocument::reloaded, this, &EditorSession::compareChanges);
    connect(&m_doc, &MapDocument::cellsChanged, this, [this](const MapCells& cells) {
        if (m_changesShown) {
            m_changes.compare(m_doc.image(), cells);
            // An edit of more than a block's cells is shown as a change of all: no view sorts through them.
            emit changesChanged(cells.size() > MapCell::BlockCells ? MapCells() : cells);
        }
    });

    // What the last run left.
    if (const auto tool = m_memory.text(LayoutMemory::Tool); tool && ToolRegistry::IndexOf(*tool)) {
        m_toolChosen = static_cast<std::size_t>(*ToolRegistry::IndexOf(*tool));
    }
    if (const auto colour = m_memory.color(LayoutMemory::GridColor)) {
        m_dlgMain->setColor(*colour);
    }
    m_gridShown = m_memory.flag(LayoutMemory::GridShown, true);
    m_changesShown = m_memory.flag(LayoutMemory::ChangesShown, false);
}

EditorSession::~EditorSession()
{
    shutDown();
}

QString EditorSession::Title()
{
    return QLatin1String(ProgramInfo::GameTitle) + QStringLiteral(" Map Editor v") +
           QLatin1String(ProgramInfo::Version);
}

void EditorSession::setCaption(const QString& text, bool urgent)
{
    m_caption = text;
    m_drawnCell.reset();
    emit captionChanged(urgent);
}

QString EditorSession::caption() const
{
    return m_drawnCell ? MapGeometry::DrawProgressCaption(m_drawnCell->y(), m_drawnCell->x()) : m_caption;
}

void EditorSession::showTitle()
{
    setCaption(Title(), true);
}

// ---- Loading and saving ----------------------------------------------------------

void EditorSession::openCartridge()
{
    if (m_dlgMain->ShowOpen()) {
        LoadRom(m_dlgMain->FileName());
    }
}

bool EditorSession::checkBeforeLoad(const QString& path)
{
    // The file is checked before anything changes: a file that cannot be
    // read leaves the editor exactly as it was.
    QString error;
    const auto size = CartridgeFile::size(path, &error);
    if (!size) {
        m_platform.message(LoadFailed, Platform::Paragraphs({error, NothingLoaded}), Platform::Icon::Critical);
        return false;
    }
    // A cartridge file starts with the iNES signature; anything else is
    // loaded only when the user says so.
    const auto start = CartridgeFile::readAvailable(path, 0, Cartridge::SignatureSize, &error);
    if (start && !Cartridge::HasSignature(*start)) {
        const QString found = start->isEmpty()
                                  ? QStringLiteral("nothing: the file is empty")
                                  : QStringLiteral("%1 (\"%2\")")
                                        .arg(QString::fromLatin1(start->toHex(' ').toUpper()),
                                             QString::fromLatin1(*start).replace(
                                                 QRegularExpression(QStringLiteral("[^ -~]")), QStringLiteral(".")));
        const QString text = Platform::Paragraphs(
            {QStringLiteral("The file \"%1\" does not start with the iNES signature of a cartridge file (4E 45 53 1A, "
                            "\"NES\" and 1A); it starts with %2.")
                 .arg(path, found),
             QStringLiteral("Load it anyway?")});
        if (!m_platform.question(QStringLiteral("Not a cartridge file?"), text)) {
            return false;
        }
    }
    if (*size < Cartridge::ImageEnd) {
        const QString end = QString::number(Cartridge::ImageEnd);
        const QString text = Platform::Paragraphs(
            {QStringLiteral("The file \"%1\" is %2 long, shorter than the %3 bytes that hold the map.")
                 .arg(path, NumberText::Counted(*size, QStringLiteral("%1 byte"), QStringLiteral("%1 bytes")), end),
             QStringLiteral("Load it anyway? The missing bytes are taken as zeros, and \"Save Changes\" will lengthen "
                            "the file to %1 bytes.")
                 .arg(end)});
        if (!m_platform.question(QStringLiteral("Short file"), text)) {
            return false;
        }
    }
    return true;
}

void EditorSession::LoadRom(const QString& path)
{
    endStroke();
    // Edits an earlier session left unsaved are asked about before anything
    // changes, so closing the question leaves the editor as it was.
    if (!checkBeforeLoad(path) || !m_journal->beforeLoad(path)) {
        return;
    }
    // Loads can nest: "Load Rom" chosen while block 1 of the last load is drawn.
    ++m_loading;
    emit loadStarted();
    BuildTileStrip();
    if (!LoadCartridge(path)) {
        --m_loading;
        emit loadEnded(false);
        return;
    }
    m_journal->cartridgeLoaded(path);
    m_recent.add(path);
    emit recentFilesChanged();
    // What was selected or floating belonged to the map loaded before.
    m_paste.reset();
    endCursorStretch();
    setSelection(std::nullopt);
    m_picker.clear();
    // A file too short for a location table simply has no locations of it to show.
    m_itemsTable.read(nullptr);
    m_townsTable.read(nullptr);
    emit cartridgeLoaded(path);
    // Block 1 (or the one shown last of this cartridge) is drawn out of sight; the drawing lets the event loop run.
    selectBlock(m_memory.lastBlock(path).value_or(1));
    --m_loading;
    if (m_closing) {
        return;
    }
    SelectTile(0);
    emit loadEnded(true);
}

void EditorSession::setJournalFolder(const QString& folder)
{
    m_journal->setFolder(folder);
}

void EditorSession::BuildTileStrip()
{
    setCaption(QStringLiteral("Loading..."), true);
    m_strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
    emit tileStripChanged();
    showTitle();
}

bool EditorSession::LoadCartridge(const QString& path)
{
    setCaption(QStringLiteral("Loading Map Data..."), true);
    QString error;
    const bool loaded = m_doc.load(path, &error);
    showTitle();
    if (!loaded) {
        m_platform.message(LoadFailed, Platform::Paragraphs({error, NothingLoaded}), Platform::Icon::Critical);
        return false;
    }
    m_watcher->watch(path);
    return true;
}

void EditorSession::loadRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        m_recent.remove(path);
        emit recentFilesChanged();
        m_platform.message(LoadFailed,
                           Platform::Paragraphs({QStringLiteral("The file \"%1\" no longer exists. It was taken "
                                                                "off the list of recent files.")
                                                     .arg(path),
                                                 NothingLoaded}),
                           Platform::Icon::Exclamation);
        return;
    }
    LoadRom(path);
}

void EditorSession::save()
{
    if (!m_doc.isLoaded() || m_watcher->checkBeforeSave() != ExternalChangeWatcher::BeforeSave::Save) {
        return;
    }
    QString error;
    if (!m_doc.save(&error)) {
        m_platform.message(QStringLiteral("File not saved"),
                           Platform::Paragraphs({QStringLiteral("The changes were not saved."), error}),
                           Platform::Icon::Critical);
        return;
    }
    m_journal->saved();
    compareChanges();
    m_platform.message(QStringLiteral("File saved"),
                       QStringLiteral("The file: \"") + cartridgePath() + QStringLiteral("\" was saved"),
                       Platform::Icon::Exclamation);
}

void EditorSession::reloadMapFromDisk()
{
    QString error;
    const int block = m_doc.currentBlock();
    if (!m_doc.load(cartridgePath(), &error)) {
        m_platform.message(LoadFailed,
                           Platform::Paragraphs({error, QStringLiteral("The map shown is the one loaded before.")}),
                           Platform::Icon::Critical);
        return;
    }
    m_journal->discard();
    m_itemsTable.read(nullptr);
    m_townsTable.read(nullptr);
    selectBlock(block);
}

// ---- Block, tile, pointer, grid ----------------------------------------------------

void EditorSession::selectBlock(int block)
{
    m_doc.setCurrentBlock(block);
    m_memory.setLastBlock(cartridgePath(), block);
    emit blockChosen(block);
}

qint32 EditorSession::BlockStartOffset(int block)
{
    if (const auto start = MapGeometry::BlockStart(block)) {
        return *start;
    }
    m_platform.message(MapGeometry::FatalErrorTitle(), MapGeometry::FatalErrorText(), Platform::Icon::Critical);
    return 0;
}

bool EditorSession::DrawBlock(qint32 start, QImage& picture)
{
    const bool drawn = m_drawing.draw(m_doc.image(), start, m_strip, picture, [this](int localRow, int column) {
        m_drawnCell = QPoint(column, localRow);
        emit captionChanged(false);
    });
    if (!drawn) {
        return false;
    }
    if (m_gridShown) {
        TileRaster::DrawGrid(picture, GridColor());
    }
    showTitle();
    return true;
}

void EditorSession::SelectTile(double y)
{
    selectTile(static_cast<int>(y / TileRaster::StripCell));
}

void EditorSession::stepTile(int steps)
{
    if (isLoaded() && m_currentTile) {
        selectTile(*m_currentTile + steps);
    }
}

void EditorSession::goToTile()
{
    if (!isLoaded()) {
        return;
    }
    const QString title = QStringLiteral("Go to Tile");
    const auto answer = m_platform.askText(title, QStringLiteral("Tile number, in hexadecimal (00 to FF):"),
                                           MapGeometry::TileReadout(m_currentTile.value_or(0)));
    if (!answer) {
        return;
    }
    const auto tile = MapGeometry::ReadTileNumber(*answer);
    if (!tile || *tile >= TileRaster::Tiles) {
        const QString what = tile ? QStringLiteral("There is no tile %1: the tiles are numbered 00 to FF.")
                                  : QStringLiteral("\"%1\" is not a tile number.");
        m_platform.message(title,
                           Platform::Paragraphs({what.arg(answer->trimmed()),
                                                 QStringLiteral("Type the number in hexadecimal as the editor shows "
                                                                "it (3A, $3A or 0x3A). The current tile stays %1.")
                                                     .arg(MapGeometry::TileReadout(m_currentTile.value_or(0)))}),
                           Platform::Icon::Exclamation);
        return;
    }
    emit tileRevealed(*tile);
    selectTile(*tile);
}

QString EditorSession::tileDescription() const
{
    return isLoaded() && m_currentTile ? QStringLiteral("tile ") + MapGeometry::TileReadout(*m_currentTile) : QString();
}

void EditorSession::selectTile(int tile)
{
    m_currentTile = static_cast<quint8>(std::clamp(tile, 0, TileRaster::Tiles - 1));
    m_stamp = MapPattern::Single(*m_currentTile);
    emit currentTileChanged(*m_currentTile);
    emit toolPreviewChanged();
}

void EditorSession::pickTileAt(const MapCell& cell)
{
    if (const auto tile = m_doc.tileAt(cell)) {
        emit tileRevealed(*tile);
        selectTile(*tile);
    }
}

void EditorSession::pointAt(const MapCell& cell)
{
    m_pointerCell = cell;
    emit pointerMoved(cell);
}

QColor EditorSession::GridColor() const
{
    return m_dlgMain->Color();
}

void EditorSession::setGridShown(bool shown)
{
    m_gridShown = shown;
    m_memory.setFlag(LayoutMemory::GridShown, shown);
}

void EditorSession::picGridColor_Click()
{
    if (m_gridShown && m_dlgMain->ShowColor()) {
        m_memory.setColor(LayoutMemory::GridColor, GridColor());
        emit gridChanged();
    }
}

// ---- The mouse on a map view ---------------------------------------------------------

void EditorSession::mapPress(const MapToolEvent& event)
{
    m_pasteDone.reset();
    // A press acts on its own cell, even when the pointer has not moved since
    // the map scrolled or the block changed; outside the view's cells nothing happens.
    if (!event.cell.isIn(event.area)) {
        return;
    }
    // The keyboard carries on from the cell the mouse chose.
    endCursorStretch();
    // It is placed out of sight: the mouse's user sees the pointer's marker, and the next key shows the cursor.
    m_cursorCell = event.cell;
    m_cursorShown = false;
    emit cursorMoved(event.cell);
    pressAt(event);
}

void EditorSession::pressAt(const MapToolEvent& event)
{
    pointAt(event.cell);
    if (m_picker.take(event.cell)) {
        return;  // nothing is painted: the waiting window takes the cell, whatever the button
    }
    activeTool().press(event);
    emit toolPreviewChanged();
}

void EditorSession::mapMove(const MapToolEvent& event)
{
    m_pasteDone.reset();
    if (event.cell.isIn(event.area)) {
        pointAt(event.cell);
    }
    activeTool().move(event);
    emit toolPreviewChanged();
}

void EditorSession::mapRelease(const MapToolEvent& event)
{
    activeTool().release(event);
    emit toolPreviewChanged();
}

void EditorSession::mapEvent(QEvent::Type type, const MapToolEvent& event)
{
    switch (type) {
    case QEvent::MouseButtonPress: mapPress(event); break;
    case QEvent::MouseMove: mapMove(event); break;
    default: mapRelease(event); break;
    }
}

const MapTool& EditorSession::activeTool() const
{
    if (m_paste) {
        return *m_paste;
    }
    return *m_tools[m_toolChosen];
}

MapTool& EditorSession::activeTool()
{
    return const_cast<MapTool&>(std::as_const(*this).activeTool());
}

void EditorSession::endStroke()
{
    m_doc.endStroke();
}

QString EditorSession::tool() const
{
    return ToolRegistry::Tools()[static_cast<qsizetype>(m_toolChosen)].description.id;
}

void EditorSession::setTool(const QString& id)
{
    const auto index = ToolRegistry::IndexOf(id);
    if (!index) {
        return;
    }
    endStroke();
    activeTool().cancel();
    m_cursorAnchor.reset();
    m_toolChosen = static_cast<std::size_t>(*index);
    m_memory.setText(LayoutMemory::Tool, id);
    emit toolChanged(id);
    emit toolPreviewChanged();
}

QRect EditorSession::toolPreview() const
{
    return activeTool().preview();
}

MapPattern EditorSession::toolPreviewTiles() const
{
    return activeTool().previewTiles();
}

QString EditorSession::toolStatus() const
{
    if (m_picker.isWaiting()) {
        return m_picker.status();
    }
    return isLoaded() ? activeTool().status() : QString();
}

void EditorSession::setStamp(const MapPattern& stamp)
{
    m_stamp = stamp;
    emit toolPreviewChanged();
}

// ---- Selection and clipboard ---------------------------------------------------------

void EditorSession::setSelection(const std::optional<QRect>& cells)
{
    const std::optional<QRect> selection =
        cells && cells->intersects(MapCell::WorldArea()) ? std::optional(*cells & MapCell::WorldArea()) : std::nullopt;
    if (selection != m_selection) {
        m_selection = selection;
        emit selectionChanged();
        emit toolPreviewChanged();
    }
}

void EditorSession::selectAll()
{
    if (isLoaded()) {
        setSelection(MapCell::WorldArea());
    }
}

bool EditorSession::cancel()
{
    if (m_picker.cancel()) {
        return true;
    }
    if (m_paste) {
        endPaste();
        return true;
    }
    m_cursorAnchor.reset();
    activeTool().cancel();
    emit toolPreviewChanged();
    if (m_selection) {
        setSelection(std::nullopt);
        return true;
    }
    return false;
}

bool EditorSession::copy()
{
    if (!m_selection || !isLoaded()) {
        return false;
    }
    const MapPattern cells = MapPattern::FromMap(image(), *m_selection);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(MapPattern::MimeType), cells.toBytes());
    data->setText(cells.toText());
    QGuiApplication::clipboard()->setMimeData(data);
    setStamp(cells);
    return true;
}

void EditorSession::fillSelection(const QString& verb)
{
    if (m_selection && m_currentTile) {
        m_doc.applyEdit(verb, MapRegions::Fill(image(), MapRegions::CellsOf(*m_selection), *m_currentTile));
    }
}

void EditorSession::cut()
{
    if (copy()) {
        fillSelection(QStringLiteral("Cut"));
    }
}

void EditorSession::deleteSelection()
{
    fillSelection(QStringLiteral("Delete"));
}

void EditorSession::paste()
{
    if (!isLoaded()) {
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString format = QString::fromLatin1(MapPattern::MimeType);
    std::optional<MapPattern> cells;
    QString error = QStringLiteral("The clipboard holds no map cells and no text.");
    if (data && data->hasFormat(format)) {
        cells = MapPattern::FromBytes(data->data(format));
        error = QStringLiteral("The map cells on the clipboard are damaged.");
    } else if (data && data->hasText()) {
        cells = MapPattern::FromText(data->text(), &error);
    }
    if (!cells) {
        m_platform.message(
            QStringLiteral("Nothing pasted"),
            Platform::Paragraphs({QStringLiteral("The clipboard cannot be pasted as map cells."), error}),
            Platform::Icon::Exclamation);
        return;
    }
    activeTool().cancel();
    m_cursorAnchor.reset();
    m_paste = std::make_unique<PasteTool>(*m_toolContext, *cells);
    if (m_pointerCell) {
        m_paste->move({*m_pointerCell, Qt::NoButton, Qt::NoButton, MapCell::WorldArea()});
    }
    emit toolPreviewChanged();
}

void EditorSession::endPaste()
{
    m_pasteDone = std::move(m_paste);
    emit toolPreviewChanged();
}

// ---- History and the world ------------------------------------------------------------

void EditorSession::undo()
{
    stepHistory(true);
}

void EditorSession::redo()
{
    stepHistory(false);
}

void EditorSession::stepHistory(bool undo)
{
    // A step in another block first shows that block, as the block list
    // would, so the user sees what changes. The drawing yields to the event
    // loop; a second undo pressed meanwhile is dropped.
    if (m_steppingHistory || !m_doc.isLoaded()) {
        return;
    }
    QUndoStack& history = m_doc.undoStack();
    if (undo ? !history.canUndo() : !history.canRedo()) {
        return;
    }
    const auto place = undo ? m_doc.nextUndoPlace() : m_doc.nextRedoPlace();
    m_steppingHistory = true;
    const int index = history.index();
    if (!place) {
        // A location step: written to the file at once; a write that fails leaves it where it was.
        const auto* step = dynamic_cast<const LocationMoveCommand*>(history.command(undo ? index - 1 : index));
        undo ? history.undo() : history.redo();
        if (step && step->failed()) {
            undo ? history.redo() : history.undo();
        }
        m_steppingHistory = false;
        return;
    }
    if (place->block != m_doc.currentBlock()) {
        selectBlock(place->block);
    }
    // Unless the drawing was overtaken (another block, a load, an edit, closing).
    if (!m_closing && m_doc.currentBlock() == place->block && history.index() == index) {
        undo ? history.undo() : history.redo();
        emit cellsRevealed(place->cells);
    }
    m_steppingHistory = false;
}

std::pair<quint8, quint8> EditorSession::replaceDefaults() const
{
    const quint8 to = m_currentTile.value_or(0);
    const auto under = m_pointerCell ? m_doc.tileAt(*m_pointerCell) : std::nullopt;
    return {under.value_or(to), to};
}

int EditorSession::replaceCount(quint8 from, quint8 to, MapDocument::Scope scope) const
{
    return m_doc.replaceCount(from, to, scope);
}

int EditorSession::replaceTile(quint8 from, quint8 to, MapDocument::Scope scope)
{
    return m_doc.replaceTile(from, to, scope);
}

void EditorSession::setCursorCell(const MapCell& cell)
{
    if (!cell.isOnMap()) {
        return;
    }
    m_cursorCell = cell;
    m_cursorShown = true;
    if (cell.block() != m_doc.currentBlock()) {
        selectBlock(cell.block());
    }
    // Unless the drawing of the block was overtaken (closing, the cursor moved on meanwhile).
    if (!m_closing && m_cursorCell == cell) {
        emit cursorMoved(cell);
        emit cursorRevealed(cell);
    }
}

void EditorSession::startCursor(const MapCell& first)
{
    if (!isLoaded() || (!m_cursorCell && !first.isOnMap())) {
        return;
    }
    m_cursorCell = m_cursorCell.value_or(first);
    m_cursorShown = true;
    emit cursorMoved(*m_cursorCell);
}

void EditorSession::moveCursor(int columns, int rows, bool stretch)
{
    if (!isLoaded() || !m_cursorCell) {
        return;
    }
    m_pasteDone.reset();
    const MapCell from = *m_cursorCell;
    const MapCell to{std::clamp(from.column + columns, 0, MapCell::Columns - 1),
                     std::clamp(from.row + rows, 0, MapCell::Rows - 1)};
    MapToolEvent at{to, Qt::NoButton, Qt::NoButton, MapCell::WorldArea()};
    if (stretch && !m_paste && !m_picker.isWaiting() && activeTool().dragsRectangle()) {
        if (!m_cursorAnchor) {
            m_cursorAnchor = from;
            activeTool().press({from, Qt::LeftButton, Qt::LeftButton, MapCell::WorldArea()});
        }
        at.buttons = Qt::LeftButton;
    } else {
        endCursorStretch();
    }
    setCursorCell(to);
    if (m_closing || m_cursorCell != to) {
        return;
    }
    activeTool().move(at);
    emit toolPreviewChanged();
}

void EditorSession::endCursorStretch()
{
    if (m_cursorAnchor) {
        m_cursorAnchor.reset();
        activeTool().cancel();
        emit toolPreviewChanged();
    }
}

void EditorSession::applyAtCursor()
{
    if (!isLoaded() || !m_cursorCell) {
        return;
    }
    m_pasteDone.reset();
    const MapCell cell = *m_cursorCell;
    m_cursorShown = true;
    emit cursorMoved(cell);
    const MapToolEvent release{cell, Qt::LeftButton, Qt::NoButton, MapCell::WorldArea()};
    if (m_cursorAnchor) {
        m_cursorAnchor.reset();
        mapRelease(release);
        return;
    }
    // A floating paste is placed by the press and ends there; nothing follows it.
    const bool pasting = isPasting();
    pressAt({cell, Qt::LeftButton, Qt::LeftButton, MapCell::WorldArea()});
    if (!pasting) {
        mapRelease(release);
    }
}

void EditorSession::pickTileAtCursor()
{
    if (isLoaded() && m_cursorCell) {
        m_cursorShown = true;
        emit cursorMoved(*m_cursorCell);
        pickTileAt(*m_cursorCell);
    }
}

QString EditorSession::cursorDescription() const
{
    const auto tile = isLoaded() && m_cursorCell ? m_doc.tileAt(*m_cursorCell) : std::nullopt;
    return tile ? MapGeometry::CursorDescription(*m_cursorCell, *tile) : QString();
}

void EditorSession::showOverworldCell(const MapCell& cell)
{
    if (cell.block() != m_doc.currentBlock()) {
        selectBlock(cell.block());
    }
    if (!m_closing && m_doc.currentBlock() == cell.block()) {
        emit cellsRevealed({cell});
    }
}

// ---- Files beside the cartridge, help ---------------------------------------------------

void EditorSession::exportMapImage()
{
    if (m_doc.isLoaded()) {
        Platform::MapImageOptions choices{m_memory.flag(LayoutMemory::ExportWholeOverworld, false),
                                          m_memory.flag(LayoutMemory::ExportGrid, m_gridShown)};
        FileCommands::ExportMapImage(m_platform, cartridgePath(),
                                     {m_doc.image(), m_strip, currentBlock(), m_gridShown, GridColor()}, choices);
        m_memory.setFlag(LayoutMemory::ExportWholeOverworld, choices.wholeOverworld);
        m_memory.setFlag(LayoutMemory::ExportGrid, choices.grid);
    }
}

void EditorSession::exportMap()
{
    if (m_doc.isLoaded()) {
        FileCommands::ExportMap(m_platform, cartridgePath(), m_doc.image(), m_strip);
    }
}

void EditorSession::importMap()
{
    if (!m_doc.isLoaded()) {
        return;
    }
    if (auto changes = FileCommands::ImportMap(m_platform, cartridgePath(), m_doc.image())) {
        m_doc.applyEdit(QStringLiteral("Import"), std::move(*changes));
    }
}

void EditorSession::createPatch()
{
    if (m_doc.isLoaded()) {
        FileCommands::CreatePatch(m_platform, cartridgePath(), m_doc.isModified());
    }
}

void EditorSession::applyPatch()
{
    if (m_doc.isLoaded() && FileCommands::ApplyPatch(m_platform, cartridgePath(), m_doc.isModified())) {
        m_journal->discard();  // the question said the unsaved edits are lost
        LoadRom(cartridgePath());
    }
}

void EditorSession::testInEmulator()
{
    endStroke();
    if (m_doc.isLoaded() && !m_closing) {
        m_emulator->start(m_doc.cartridge());
    }
}

void EditorSession::chooseEmulator()
{
    m_emulator->chooseCommand();
}

void EditorSession::showHelp()
{
    const HelpCommand::Command command = HelpCommand::ForFolder(m_helpFolder);
    // Where the desktop has no viewer for it, the program shows the text itself.
    m_platform.openDocument(command.program, command.arguments,
                            [session = QPointer<EditorSession>(this), path = HelpCommand::Locate(m_helpFolder)] {
                                if (session) {
                                    session->showHelpText(path);
                                }
                            });
}

void EditorSession::showHelpText(const QString& path)
{
    QString error;
    if (const std::optional<QString> text = HelpCommand::ReadText(path, &error)) {
        emit helpTextWanted(path, *text);
    } else {
        m_platform.message(QStringLiteral("Help"), error, Platform::Icon::Exclamation);
    }
}

bool EditorSession::locationsShown(bool world) const
{
    return m_platform.settings() ? m_memory.flag(world ? WorldLocationsKey : MapLocationsKey, world)
                                 : m_locationsShown[world ? 1 : 0];
}

void EditorSession::setLocationsShown(bool world, bool shown)
{
    m_locationsShown[world ? 1 : 0] = shown;
    m_memory.setFlag(world ? WorldLocationsKey : MapLocationsKey, shown);
    emit locationsChanged();
}

void EditorSession::setChangesShown(bool shown)
{
    m_changesShown = shown;
    m_memory.setFlag(LayoutMemory::ChangesShown, shown);
    compareChanges();
}

void EditorSession::compareChanges()
{
    if (m_changesShown && m_doc.isLoaded()) {
        m_changes.readReferences(cartridgePath());
        m_changes.compareAll(m_doc.image());
    } else {
        m_changes.clear();
    }
    emit changesChanged({});
}

QString EditorSession::changesStatus() const
{
    if (!m_changesShown || !m_doc.isLoaded()) {
        return {};
    }
    return QStringLiteral("%1 unsaved, %2 since backup").arg(m_changes.unsavedCount()).arg(m_changes.backupCount());
}

bool EditorSession::showNextChange(bool forward)
{
    const auto cell = m_changes.next(m_cursorCell.value_or(MapCell{-1, -1}), forward);
    if (cell) {
        setCursorCell(*cell);
    }
    return cell.has_value();
}

void EditorSession::resetLayout()
{
    setTool(ToolRegistry::Tools().front().description.id);
    m_dlgMain->setColor(CommonDialog::FirstColor());
    setGridShown(true);
    emit gridChanged();
    setChangesShown(false);
    m_locationsShown[0] = false;
    m_locationsShown[1] = true;
    m_memory.forget();
    emit locationsChanged();
    emit layoutReset();
    // What the windows wrote while they went back is forgotten too.
    m_memory.forget();
}

void EditorSession::shutDown()
{
    endStroke();
    m_closing = true;
    m_drawing.stop();
    m_emulator->removeFiles();
}
