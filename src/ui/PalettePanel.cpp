#include "ui/PalettePanel.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "editor/EditorSession.h"
#include "ui/MapView.h"
#include "ui/UiFonts.h"
#include "ui/ValueLabel.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "ui/TileStripView.h"
#include "ui/ValueAccessible.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

PalettePanel::PalettePanel(EditorSession& session, QWidget* parent) : QGroupBox(parent), m_session(session)
{
    setObjectName(QStringLiteral("Frame1"));
    setGeometry(8, 8, 137, 465);

    vsTiles =
        MapView::makeScrollBar(this, QStringLiteral("vsTiles"), Qt::Vertical, QRect(8, 16, 17, 441), 7776, 32, 128);
    connect(vsTiles, &QScrollBar::valueChanged, this, &PalettePanel::vsTiles_Change);

    auto* stripView = new TileStripView(vsTiles, this);
    stripView->setGeometry(24, 16, 33, 441);
    picHolder_00 = stripView;
    picTileset = stripView->strip();
    shpPoint = stripView->marker();
    stripView->setFocusPolicy(Qt::StrongFocus);
    // A control with a value for screen readers before anything asks about it.
    ValueAccessible::SetValue(stripView, QString());
    stripView->setAccessibleDescription(QStringLiteral("Arrow keys, Page Up, Page Down, Home and End choose the tile"));
    stripView->installEventFilter(this);
    connect(picTileset, &PictureBox::pressed, this,
            [this](Qt::MouseButton, Qt::MouseButtons, QPointF position) { m_session.SelectTile(position.y()); });

    MakeCaption(this, QStringLiteral("Tile #:"), 64, 16);
    lblTile = MakeValueLabel(this, QStringLiteral("lblTile"), QString(), QRect(96, 16, 33, 17), UiFonts::Arial(9),
                             QStringLiteral("Current tile number"));
    MakeCaption(this, QStringLiteral("Tile:"), 64, 48);
    picTileZoom = new PictureBox(QStringLiteral("picTileZoom"), QSize(64, 64), this);
    picTileZoom->move(64, 64);
    picTileZoom->clear(palette().color(QPalette::Window));

    MakeCaption(this, QStringLiteral("Point:"), 64, 144);
    lblPoint = MakeValueLabel(this, QStringLiteral("lblPoint"), QString(), QRect(64, 160, 65, 17), UiFonts::Arial(9),
                              QStringLiteral("Map point under the pointer"));
    MakeCaption(this, QStringLiteral("Sextant:"), 64, 192);
    lblLon = MakeValueLabel(this, QStringLiteral("lblLon"), QString(), QRect(64, 208, 25, 17), UiFonts::Arial(9),
                            QStringLiteral("Sextant row"));
    lblLat = MakeValueLabel(this, QStringLiteral("lblLat"), QString(), QRect(104, 208, 25, 17), UiFonts::Arial(9),
                            QStringLiteral("Sextant column"));

    connect(&m_session, &EditorSession::tileStripChanged, this, &PalettePanel::showStrip);
    connect(&m_session, &EditorSession::currentTileChanged, this, &PalettePanel::showTile);
    connect(&m_session, &EditorSession::tileRevealed, this, &PalettePanel::revealTile);
    connect(&m_session, &EditorSession::pointerMoved, this, &PalettePanel::showPointer);
}

void PalettePanel::resizeEvent(QResizeEvent*)
{
    // A taller group shows more of the strip; the last scroll position still
    // shows the last tiles (7776, tiles 243 to 255, at the first height).
    const int viewport = height() - 24;
    vsTiles->setGeometry(8, 16, 17, viewport);
    picHolder_00->setGeometry(24, 16, 33, viewport);
    const int hidden = std::max(0, TileRaster::StripHeight - viewport);
    vsTiles->setMaximum((hidden + TileRaster::StripCell - 1) / TileRaster::StripCell * TileRaster::StripCell);
}

void PalettePanel::showStrip()
{
    picTileset->setBacking(m_session.tileStrip());
    picTileset->refresh();
}

void PalettePanel::vsTiles_Change(int value)
{
    picTileset->move(0, -(value / TileRaster::StripCell * TileRaster::StripCell));
}

void PalettePanel::showTile(int tile)
{
    // The marker frames the tile, the enlarged view doubles it, the readout names it.
    const int top = TileRaster::StripCell * tile;
    shpPoint->move(0, top);
    TileRaster::CopyDoubled(m_session.tileStrip(), QRect(0, top, TileRaster::StripCell, TileRaster::StripCell),
                            picTileZoom->backing(), QPoint(0, 0));
    picTileZoom->repaint();
    lblTile->setText(MapGeometry::TileReadout(tile));
    ValueAccessible::SetValue(picHolder_00, m_session.tileDescription());
}

bool PalettePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picHolder_00 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && stripKey(key->key())) {
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

bool PalettePanel::stripKey(int key)
{
    const int page = std::max(1, picHolder_00->height() / TileRaster::StripCell);
    const int current = m_session.currentTile().value_or(0);
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left: m_session.stepTile(-1); break;
    case Qt::Key_Down:
    case Qt::Key_Right: m_session.stepTile(1); break;
    case Qt::Key_PageUp: m_session.stepTile(-page); break;
    case Qt::Key_PageDown: m_session.stepTile(page); break;
    case Qt::Key_Home: m_session.stepTile(-current); break;
    case Qt::Key_End: m_session.stepTile(TileRaster::Tiles - 1 - current); break;
    default: return false;
    }
    if (const auto tile = m_session.currentTile()) {
        keepInView(*tile);
    }
    return true;
}

void PalettePanel::keepInView(int tile)
{
    const int size = TileRaster::StripCell;
    const int whole = std::max(1, picHolder_00->height() / size);
    const int first = std::clamp(vsTiles->value() / size, tile - whole + 1, tile);
    if (first != vsTiles->value() / size) {
        vsTiles->setValue(std::min(first * size, vsTiles->maximum()));
    }
}

void PalettePanel::revealTile(int tile)
{
    shpPoint->move(0, TileRaster::StripCell * tile);
    // Tiles 244 to 255 lie past the last scroll position, which shows them.
    vsTiles->setValue(std::min(TileRaster::StripCell * tile, vsTiles->maximum()));
}

void PalettePanel::showPointer(const MapCell& cell)
{
    lblPoint->setText(MapGeometry::PointReadout(cell.column, cell.row));
    lblLon->setText(MapGeometry::ThreeDigits(cell.row));
    lblLat->setText(MapGeometry::ThreeDigits(cell.column));
}
