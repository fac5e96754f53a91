#include "ui/frmMain.h"

#include "ui/CommonDialog.h"
#include "ui/DesktopIntegration.h"
#include "ui/ExternalChangeWatcher.h"
#include "core/HelpCommand.h"
#include "ui/LocationPickTarget.h"
#include "ui/LocationWindow.h"
#include "ui/MainWindowNames.h"
#include "core/MapGeometry.h"
#include "ui/TitleThrottle.h"
#include "ui/MapEditMenus.h"
#include "ui/MapView.h"
#include "ui/TileStripView.h"
#include "ui/PictureBox.h"
#include "ui/Platform.h"
#include "ui/ShapeOutline.h"
#include "core/TileRaster.h"
#include "ui/UiFonts.h"
#include "ui/ValueLabel.h"
#include "ui/frmAbout.h"
#include "ui/frmCharacters.h"
#include "ui/frmIB.h"
#include "ui/frmPrices.h"
#include "ui/frmTowns.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

QLabel* makeCaption(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(UiFonts::Arial(8.25));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* makeValueLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    return MakeValueLabel(parent, name, text, geometry, UiFonts::Arial(9));
}

}  // namespace

frmMain::frmMain(Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_helpFolder(QCoreApplication::applicationDirPath())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Title());
    m_caption = new TitleThrottle(this);
    connect(m_caption, &TitleThrottle::captionChanged, this, &frmMain::captionChanged);
    setFont(UiFonts::Arial(8.25));
    setAttribute(Qt::WA_AlwaysShowToolTips);  // the map's cell tooltip, also beside a hex editor that has the focus
    m_dlgMain = new CommonDialog(platform, this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    client->setFixedSize(647, 477);
    setCentralWidget(client);

    buildMenus();
    buildLeftGroup();
    buildRightGroup();
    DesktopIntegration::Host desktop;
    desktop.loadRom = [this](const QString& path) { LoadRom(path); };
    // A running load disables the palette group until it ends.
    desktop.acceptsFiles = [this] { return Frame1->isEnabled(); };
    m_desktop = new DesktopIntegration(m_platform, this, mnuFile, desktop);
    MainWindowNames::Apply(this);
    setGameMenuEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    MapEditMenus::Host host;
    host.selectBlock = [this](int block) {
        cboBlock->setCurrentIndex(block - 1);
        cboBlock_Click();
    };
    host.closing = [this] { return m_closing; };
    host.replaceTiles = [this] {
        const auto to = static_cast<quint8>(m_currentTile.value_or(0));
        const auto under =
            m_pointerCell ? m_doc.tileAt(currentBlock(), m_pointerCell->y(), m_pointerCell->x()) : std::nullopt;
        return std::make_pair(under.value_or(to), to);
    };
    m_editMenus = new MapEditMenus(this, mnuGame->menuAction(), mnuHelp->menuAction(), m_doc, *m_mapView, m_platform,
                                   picTileset->backing(), host);
}

frmMain::~frmMain()
{
    m_closing = true;
}

QString frmMain::Title()
{
    return QStringLiteral("Orvane II: The Seeker's Crown Map Editor v1.0");
}

void frmMain::buildMenus()
{
    const auto addAction = [this](QMenu* menu, const QString& name, const QString& caption,
                                  const QKeySequence& shortcut, void (frmMain::*slot)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const auto addSeparator = [](QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); };

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileLoad = addAction(mnuFile, QStringLiteral("mnuFileLoad"), QStringLiteral("&Load Rom"),
                            QKeySequence(Qt::CTRL | Qt::Key_L), &frmMain::mnuFileLoad_Click);
    mnuFileSave = addAction(mnuFile, QStringLiteral("mnuFileSave"), QStringLiteral("&Save Changes"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuFileSave_Click);
    mnuFileSave->setEnabled(false);
    FileMenuCommands::Host files;
    files.mapView = [this] {
        return FileCommands::MapView{m_doc.image(), tileStrip(), currentBlock(), chkGrid->isChecked(), GridColor()};
    };
    files.loadRom = [this](const QString& path) { LoadRom(path); };
    files.drawBlock = [this](int block) { DrawBlock(BlockStartOffset(block)); };
    m_fileCommands = new FileMenuCommands(m_platform, this, mnuFile, m_doc, files);
    addSeparator(mnuFile, QStringLiteral("mnuFileSep"));
    mnuFileQuit =
        addAction(mnuFile, QStringLiteral("mnuFileQuit"), QStringLiteral("&Quit"), {}, &frmMain::mnuFileQuit_Click);

    mnuGame = menuBar()->addMenu(QStringLiteral("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    mnuCharacters = addAction(mnuGame, QStringLiteral("mnuCharacters"), QStringLiteral("&Characters"),
                              QKeySequence(Qt::CTRL | Qt::Key_C), &frmMain::mnuCharacters_Click);
    mnuGameItems = addAction(mnuGame, QStringLiteral("mnuGameItems"), QStringLiteral("&Items && Balloon"),
                             QKeySequence(Qt::CTRL | Qt::Key_I), &frmMain::mnuGameItems_Click);
    mnuGamePriceItems = addAction(mnuGame, QStringLiteral("mnuGamePriceItems"), QStringLiteral("&Prices of Items"),
                                  QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuGamePriceItems_Click);
    addSeparator(mnuGame, QStringLiteral("mnuGameSep"));
    mnuGameTowns = addAction(mnuGame, QStringLiteral("mnuGameTowns"), QStringLiteral("&Location of Towns"),
                             QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuGameTowns_Click);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpHelp = addAction(mnuHelp, QStringLiteral("mnuHelpHelp"), QStringLiteral("&Help"), QKeySequence(Qt::Key_F1),
                            &frmMain::mnuHelpHelp_Click);
    addSeparator(mnuHelp, QStringLiteral("mnuHelpSep"));
    mnuHelpAbout =
        addAction(mnuHelp, QStringLiteral("mnuHelpAbout"), QStringLiteral("&About"), {}, &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildLeftGroup()
{
    Frame1 = new QGroupBox(centralWidget());
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 8, 137, 465);

    vsTiles =
        MapView::makeScrollBar(Frame1, QStringLiteral("vsTiles"), Qt::Vertical, QRect(8, 16, 17, 441), 7776, 32, 128);
    connect(vsTiles, &QScrollBar::valueChanged, this, &frmMain::vsTiles_Change);

    auto* stripView = new TileStripView(vsTiles, Frame1);
    stripView->setGeometry(24, 16, 33, 441);
    picHolder_00 = stripView;
    picTileset = stripView->strip();
    shpPoint = stripView->marker();
    connect(picTileset, &PictureBox::pressed, this,
            [this](Qt::MouseButton, Qt::MouseButtons, QPointF position) { picTileset_MouseDown(position); });

    makeCaption(Frame1, QStringLiteral("Tile #:"), 64, 16);
    lblTile = makeValueLabel(Frame1, QStringLiteral("lblTile"), QString(), QRect(96, 16, 33, 17));
    makeCaption(Frame1, QStringLiteral("Tile:"), 64, 48);
    picTileZoom = new PictureBox(QStringLiteral("picTileZoom"), QSize(64, 64), Frame1);
    picTileZoom->move(64, 64);
    picTileZoom->clear(palette().color(QPalette::Window));

    makeCaption(Frame1, QStringLiteral("Point:"), 64, 144);
    lblPoint = makeValueLabel(Frame1, QStringLiteral("lblPoint"), QString(), QRect(64, 160, 65, 17));
    makeCaption(Frame1, QStringLiteral("Sextant:"), 64, 192);
    lblLon = makeValueLabel(Frame1, QStringLiteral("lblLon"), QString(), QRect(64, 208, 25, 17));
    lblLat = makeValueLabel(Frame1, QStringLiteral("lblLat"), QString(), QRect(104, 208, 25, 17));
}

void frmMain::buildRightGroup()
{
    Frame2 = new QGroupBox(centralWidget());
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(160, 8, 481, 465);
    // Nothing to draw before a cartridge is loaded.
    Frame2->setEnabled(false);

    m_mapView = new MapView(
        m_doc, picTileset->backing(), [this] { return GridColor(); }, Frame2);
    m_mapView->setGeometry(8, 16, 465, 401);
    picHolder_01 = m_mapView;
    picMap = m_mapView->picture();
    shpMap = m_mapView->marker();
    vsMap = m_mapView->verticalBar();
    hsMap = m_mapView->horizontalBar();
    connect(picMap, &PictureBox::moved, this, &frmMain::picMap_MouseMove);
    connect(picMap, &PictureBox::pressed, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, QPointF position) { picMap_MouseDown(button, position); });
    connect(picMap, &PictureBox::released, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton) {
            m_doc.endStroke();
        }
    });
    connect(vsMap, &QScrollBar::valueChanged, this, &frmMain::vsMap_Change);
    connect(hsMap, &QScrollBar::valueChanged, this, &frmMain::hsMap_Change);

    makeCaption(Frame2, QStringLiteral("Block:"), 16, 432);
    cboBlock = new QComboBox(Frame2);
    cboBlock->setObjectName(QStringLiteral("cboBlock"));
    cboBlock->setEditable(false);
    cboBlock->move(48, 432);
    cboBlock->setFixedWidth(121);
    for (int block = 1; block <= MapGeometry::Blocks; ++block) {
        cboBlock->addItem(QStringLiteral("%1-Block #%1").arg(block));
    }
    cboBlock->setCurrentIndex(-1);
    connect(cboBlock, &QComboBox::activated, this, &frmMain::cboBlock_Click);

    makeCaption(Frame2, QStringLiteral("Current Block:"), 184, 432);
    lblBlock = makeValueLabel(Frame2, QStringLiteral("lblBlock"), QStringLiteral("1"), QRect(256, 432, 25, 17));
    makeCaption(Frame2, QStringLiteral("Grid Color:"), 296, 432);
    picGridColor = new PictureBox(QStringLiteral("picGridColor"), QSize(49, 17), Frame2);
    picGridColor->move(360, 432);
    picGridColor->clear(m_dlgMain->Color());
    connect(picGridColor, &PictureBox::pressed, this, [this] { picGridColor_Click(); });

    chkGrid = new QCheckBox(QStringLiteral("Grid"), Frame2);
    chkGrid->setObjectName(QStringLiteral("chkGrid"));
    chkGrid->setGeometry(432, 432, 41, 17);
    chkGrid->setChecked(true);
}

void frmMain::setGameMenuEnabled(bool enabled)
{
    // A disabled menu takes its entries' shortcuts with it.
    mnuGame->setEnabled(enabled);
    mnuGame->menuAction()->setEnabled(enabled);
    for (QAction* action : {mnuCharacters, mnuGameItems, mnuGamePriceItems, mnuGameTowns}) {
        action->setEnabled(enabled);
    }
    if (m_editMenus) {
        m_editMenus->setEnabled(enabled);
    }
}

QColor frmMain::GridColor() const
{
    return m_dlgMain->Color();
}

const QImage& frmMain::mapPicture() const
{
    return picMap->backing();
}

const QImage& frmMain::tileStrip() const
{
    return picTileset->backing();
}

const QString& frmMain::caption() const
{
    return m_caption->text();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}

// ---- File menu ----------------------------------------------------------------

void frmMain::mnuFileLoad_Click()
{
    if (!m_dlgMain->ShowOpen()) {
        return;
    }
    LoadRom(m_dlgMain->FileName());
}

void frmMain::LoadRom(const QString& path)
{
    // Check the file before anything changes: a file that cannot be read
    // leaves the editor exactly as it was.
    QString error;
    const auto size = CartridgeFile::size(path, &error);
    if (!size) {
        m_platform.message(this, QStringLiteral("Could not load the file"),
                           error + QStringLiteral("\r\n\r\nNothing was loaded."), Platform::Icon::Critical);
        return;
    }
    if (*size < Cartridge::ImageEnd) {
        const QString text =
            QStringLiteral("The file \"%1\" is %2 bytes long, shorter than the %3 bytes that hold the map.\r\n\r\n"
                           "Load it anyway? The missing bytes are taken as zeros, and \"Save Changes\" "
                           "will lengthen the file to %3 bytes.")
                .arg(path)
                .arg(*size)
                .arg(Cartridge::ImageEnd);
        if (!m_platform.question(this, QStringLiteral("Short file"), text)) {
            return;
        }
    }

    const bool frame1WasEnabled = Frame1->isEnabled();
    const bool frame2WasEnabled = Frame2->isEnabled();
    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    BuildTileStrip();
    if (!LoadCartridge(path)) {
        Frame1->setEnabled(frame1WasEnabled);
        Frame2->setEnabled(frame2WasEnabled);
        return;
    }
    m_desktop->addRecent(path);
    // A location window still waiting for a pick belongs to the cartridge
    // that was open before: its unsaved picks go the way of unsaved map edits.
    for (QDialog* waiting : {m_itemsWindow.data(), m_townsWindow.data()}) {
        if (waiting) {
            waiting->close();
        }
    }
    picMap->move(picMap->x(), 5000);  // out of sight while block 1 is drawn
    cboBlock->setCurrentIndex(0);
    cboBlock_Click();
    if (m_closing) {
        return;
    }
    picMap->move(picMap->x(), 0);
    picTileset_MouseDown(QPointF(0, 0));
    setGameMenuEnabled(true);
    Frame1->setEnabled(true);
    Frame2->setEnabled(true);
}

bool frmMain::LoadCartridge(const QString& path)
{
    m_caption->showNow(QStringLiteral("Loading Map Data..."));
    QString error;
    const bool loaded = m_doc.load(path, &error);
    m_caption->showNow(Title());
    if (!loaded) {
        m_platform.message(this, QStringLiteral("Could not load the file"),
                           error + QStringLiteral("\r\n\r\nNothing was loaded."), Platform::Icon::Critical);
        return false;
    }
    mnuFileSave->setEnabled(true);
    m_fileCommands->cartridgeLoaded(path);
    return true;
}

void frmMain::mnuFileSave_Click()
{
    if (!m_doc.isLoaded()) {
        return;
    }
    if (fileWatcher().checkBeforeSave() != ExternalChangeWatcher::BeforeSave::Save) {
        return;
    }
    QString error;
    if (!m_doc.save(&error)) {
        m_platform.message(this, QStringLiteral("File not saved"),
                           QStringLiteral("The changes were not saved.\r\n\r\n") + error, Platform::Icon::Critical);
        return;
    }
    m_platform.message(this, QStringLiteral("File saved"),
                       QStringLiteral("The file: \"") + cartridge().CartridgePath() + QStringLiteral("\" was saved"),
                       Platform::Icon::Exclamation);
}

void frmMain::mnuFileQuit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Form_Unload: the program ends at once, every window with it, without a
    // question. A drawing in progress stops at its next cell.
    m_closing = true;
    ++m_drawGeneration;
    event->accept();
    m_platform.endProgram();
}

// ---- Help menu ----------------------------------------------------------------

void frmMain::mnuHelpHelp_Click()
{
    const HelpCommand::Command command = HelpCommand::ForFolder(m_helpFolder);
    // Where the desktop has no viewer for it, the program shows the text itself.
    m_platform.openDocument(
        command.program, command.arguments,
        [desktop = QPointer<DesktopIntegration>(m_desktop), path = HelpCommand::Locate(m_helpFolder)] {
            if (desktop) {
                desktop->showHelpText(path);
            }
        });
}

void frmMain::mnuHelpAbout_Click()
{
    auto* about = new frmAbout(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    // Centred over this window. The toolkit's own placement guesses the
    // frame of a window not yet shown; this one takes the frame of the main
    // window, which the same desktop draws alike.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    QRect frame(QPoint(0, 0),
                about->size().grownBy(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                               outer.right() - inner.right(), outer.bottom() - inner.bottom())));
    frame.moveCenter(outer.center());
    about->move(frame.topLeft());
    m_platform.showModal(about);
}

// ---- Game menu ----------------------------------------------------------------

template <typename Window> void frmMain::openFreshWindow()
{
    if (cartridge().CartridgePath().isEmpty()) {
        return;
    }
    // Loaded anew at every opening, so it always shows what the file holds.
    auto* window = new Window(m_platform, cartridge(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->Form_Load()) {
        delete window;
        return;
    }
    m_platform.showModal(window);
}

// The items or towns window: one of each at most, held weakly (a window that
// has been closed and deleted is simply gone).
template <typename Window> void frmMain::openLocationWindow(QPointer<QDialog>& slot)
{
    if (cartridge().CartridgePath().isEmpty()) {
        return;
    }
    if (QDialog* window = prepareLocationWindow(slot, cartridge().CartridgePath(),
                                                [this] { return new Window(m_platform, cartridge(), m_pick, this); })) {
        // The world map shows the item and town locations as the file holds them.
        connect(window, &QObject::destroyed, m_editMenus, &MapEditMenus::refreshMarkers, Qt::UniqueConnection);
        m_platform.showModal(window);
    }
}

void frmMain::mnuCharacters_Click()
{
    openFreshWindow<frmCharacters>();
}

void frmMain::mnuGameItems_Click()
{
    openLocationWindow<frmIB>(m_itemsWindow);
}

void frmMain::mnuGamePriceItems_Click()
{
    openFreshWindow<frmPrices>();
}

void frmMain::mnuGameTowns_Click()
{
    openLocationWindow<frmTowns>(m_townsWindow);
}

// ---- Tile strip and palette -----------------------------------------------------

void frmMain::BuildTileStrip()
{
    picTileset->clear(Qt::black);
    m_caption->showNow(QStringLiteral("Loading..."));
    picTileset->setBacking(TileRaster::BuildTileStrip(TileRaster::LoadSheets()));
    picTileset->refresh();
    m_caption->showNow(Title());
}

void frmMain::picTileset_MouseDown(QPointF position)
{
    SelectTile(position.y());
}

void frmMain::SelectTile(double y)
{
    const int tile = std::clamp(static_cast<int>(y / TileRaster::StripCell), 0, 255);
    const int top = TileRaster::StripCell * tile;
    shpPoint->move(0, top);
    QImage& zoom = picTileZoom->backing();
    TileRaster::CopyDoubled(picTileset->backing(), QRect(0, top, TileRaster::StripCell, TileRaster::StripCell), zoom,
                            QPoint(0, 0));
    picTileZoom->repaint();
    m_currentTile = tile;
    lblTile->setText(MapGeometry::TileReadout(tile));
}

void frmMain::vsTiles_Change(int value)
{
    picTileset->move(0, -(value / TileRaster::StripCell * TileRaster::StripCell));
}

// ---- Map view -------------------------------------------------------------------

qint32 frmMain::BlockStartOffset(int block)
{
    if (const auto start = MapGeometry::BlockStart(block)) {
        return *start;
    }
    m_platform.message(this, MapGeometry::FatalErrorTitle(), MapGeometry::FatalErrorText(), Platform::Icon::Critical);
    return 0;
}

void frmMain::cboBlock_Click()
{
    const QString entry = cboBlock->currentText();
    if (entry.isEmpty()) {
        return;
    }
    lblBlock->setText(entry.left(1));
    m_doc.setCurrentBlock(MapGeometry::ReadDecimal(lblBlock->text()));
    m_editMenus->updateWorldViewport();
    DrawBlock(BlockStartOffset(currentBlock()));
}

void frmMain::DrawBlock(qint32 start)
{
    const quint64 drawing = ++m_drawGeneration;
    picMap->clear(Qt::black);
    QImage& picture = picMap->backing();
    const QImage& strip = picTileset->backing();
    for (int r = 0; r < MapGeometry::BlockRows; ++r) {
        for (int c = 0; c < MapGeometry::Columns; ++c) {
            const int cell = r * MapGeometry::Columns + c;
            TileRaster::RenderCells(m_doc.image(), start, strip, picture, cell, cell);
            m_caption->show(MapGeometry::DrawProgressCaption(r, c));
            QCoreApplication::processEvents();
            if (drawing != m_drawGeneration || m_closing) {
                return;  // a newer drawing owns the picture and the caption now
            }
        }
    }
    if (chkGrid->isChecked()) {
        DrawGrid();
    }
    picMap->refresh();
    m_caption->showNow(Title());
}

void frmMain::DrawGrid()
{
    TileRaster::DrawGrid(picMap->backing(), GridColor());
    picMap->refresh();
}

void frmMain::picGridColor_Click()
{
    if (!chkGrid->isChecked()) {
        return;
    }
    if (!m_dlgMain->ShowColor()) {
        return;
    }
    picGridColor->clear(GridColor());
    picGridColor->refresh();
    DrawGrid();
}

void frmMain::hsMap_Change(int value)
{
    picMap->move(-(value / MapGeometry::CellSize * MapGeometry::CellSize), picMap->y());
    m_editMenus->updateWorldViewport();
}

void frmMain::vsMap_Change(int value)
{
    picMap->move(picMap->x(), -(value / MapGeometry::CellSize * MapGeometry::CellSize));
    m_editMenus->updateWorldViewport();
}

// ---- Painting and readouts ------------------------------------------------------

bool frmMain::followPointer(QPointF position, int* column, int* localRow)
{
    const int x = MapGeometry::CellFromPointer(position.x());
    const int y = MapGeometry::CellFromPointer(position.y());
    if (!MapGeometry::IsCellInBlock(x, y)) {
        return false;  // outside the picture: nothing moves, nothing is painted
    }
    shpMap->move(MapGeometry::CellSize * x, MapGeometry::CellSize * y);
    m_pointerCell = QPoint(x, y);
    const int row = MapGeometry::OverworldRow(currentBlock(), y);
    lblPoint->setText(MapGeometry::PointReadout(x, row));
    lblLon->setText(MapGeometry::ThreeDigits(row));
    lblLat->setText(MapGeometry::ThreeDigits(x));
    *column = x;
    *localRow = y;
    return true;
}

void frmMain::picMap_MouseMove(Qt::MouseButtons buttons, QPointF position)
{
    int column = 0;
    int localRow = 0;
    followPointer(position, &column, &localRow);
    if (buttons == Qt::LeftButton && m_currentTile) {
        // A fast drag leaves no gaps; the part of the line outside the block is dropped.
        m_doc.strokeTo(QPoint(MapGeometry::CellFromPointer(position.x()), MapGeometry::CellFromPointer(position.y())),
                       static_cast<quint8>(*m_currentTile));
    }
}

void frmMain::picMap_MouseDown(Qt::MouseButton button, QPointF position)
{
    // A press acts on its own cell, even when the pointer has not moved since
    // the map scrolled or the block changed.
    int column = 0;
    int localRow = 0;
    if (!followPointer(position, &column, &localRow)) {
        return;
    }
    if (m_pick.LocationWindowOpen()) {
        handOverLocation();
        return;
    }
    if (button == Qt::LeftButton && m_currentTile) {
        m_doc.beginStroke(QPoint(column, localRow), static_cast<quint8>(*m_currentTile));
    } else if (button == Qt::RightButton) {
        pickTile(column, localRow);
    }
}

void frmMain::pickTile(int column, int localRow)
{
    const qint32 index = MapGeometry::MapByteOffset(BlockStartOffset(currentBlock()), localRow, column);
    if (!CartridgeImage::contains(index)) {
        return;
    }
    const int tile = m_doc.image().at(index);
    shpPoint->move(0, TileRaster::StripCell * tile);
    // Tiles 244 to 255 lie past the last scroll position, which shows them.
    vsTiles->setValue(std::min(TileRaster::StripCell * tile, vsTiles->maximum()));
    picTileset_MouseDown(QPointF(0, TileRaster::StripCell * tile));
}

void frmMain::handOverLocation()
{
    QDialog* window = m_pick.TownsWindowOpen ? m_townsWindow.data() : m_itemsWindow.data();
    auto* target = dynamic_cast<LocationPickTarget*>(window);
    if (!target) {
        return;
    }
    const int row = MapGeometry::ReadDecimal(lblLon->text());
    const int column = MapGeometry::ReadDecimal(lblLat->text());
    target->SetPickedLocation(m_pick.PickRow, MapGeometry::LocationText(row, column), lblBlock->text());
    m_platform.showModal(target->window());
}
