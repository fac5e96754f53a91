#include "SessionDriver.h"

#include "Fixtures.h"

SessionDriver::SessionDriver(const QByteArray& cartridge)
    : original(cartridge.isEmpty() ? Fixtures::Pattern(262160, 42) : cartridge)
{
    path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), original);
}

SessionDriver::~SessionDriver() = default;

bool SessionDriver::load()
{
    session.LoadRom(path);
    return session.cartridge().CartridgePath() == path;
}

void SessionDriver::cellEvent(QEvent::Type type, const MapCell& cell, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const MapToolEvent event{cell, button, buttons, MapCell::BlockArea(session.currentBlock())};
    switch (type) {
    case QEvent::MouseButtonPress: session.mapPress(event); break;
    case QEvent::MouseMove: session.mapMove(event); break;
    default: session.mapRelease(event); break;
    }
}

void SessionDriver::clickCell(const MapCell& cell, Qt::MouseButton button)
{
    if (cell.isOnMap() && cell.block() != session.currentBlock()) {
        session.selectBlock(cell.block());
    }
    cellEvent(QEvent::MouseButtonPress, cell, button, button);
    cellEvent(QEvent::MouseButtonRelease, cell, button, Qt::NoButton);
}

void SessionDriver::selectTile(int tile)
{
    session.SelectTile(32.0 * tile);
}
