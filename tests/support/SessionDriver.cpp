#include "SessionDriver.h"

#include "Fixtures.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"

SessionDriver::SessionDriver(const QByteArray& cartridge, QSettings* settings)
    : session{(platform.settingsStore = settings, platform)},
      original(cartridge.isEmpty() ? Fixtures::Pattern(262160, 42) : cartridge)
{
    path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), original);
}

SessionDriver::~SessionDriver() = default;

bool SessionDriver::load()
{
    session.LoadRom(path);
    return session.cartridgePath() == path;
}

void SessionDriver::cellEvent(QEvent::Type type, const MapCell& cell, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    session.mapEvent(type, {cell, button, buttons, MapCell::BlockArea(session.currentBlock())});
}

void SessionDriver::clickCell(const MapCell& cell, Qt::MouseButton button)
{
    if (cell.isOnMap() && cell.block() != session.currentBlock()) {
        session.selectBlock(cell.block());
    }
    cellEvent(QEvent::MouseButtonPress, cell, button, button);
    cellEvent(QEvent::MouseButtonRelease, cell, button, Qt::NoButton);
}

QImage SessionDriver::blockPicture(int block) const
{
    QImage picture(4096, 512, TileRaster::Format);
    picture.fill(Qt::black);
    TileRaster::RenderBlock(session.image(), *MapGeometry::BlockStart(block), session.tileStrip(), picture);
    TileRaster::DrawGrid(picture, session.GridColor());
    return picture;
}

void SessionDriver::selectTile(int tile)
{
    session.SelectTile(32.0 * tile);
}
