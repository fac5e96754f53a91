#include "ui/GameWindows.h"

#include "editor/EditorSession.h"
#include "ui/ModalDisplay.h"
#include "ui/frmCharacters.h"
#include "ui/frmIB.h"
#include "ui/frmPrices.h"
#include "ui/frmTowns.h"

GameWindows::GameWindows(EditorSession& session, ModalDisplay& modals, QWidget* owner)
    : QObject(owner), m_session(session), m_modals(modals), m_owner(owner)
{
    connect(&m_session, &EditorSession::locationPicked, this, &GameWindows::deliver);
    connect(&m_session, &EditorSession::cartridgeLoaded, this, &GameWindows::closeWaiting);
}

template <typename Window> void GameWindows::openFresh()
{
    if (!m_session.isLoaded()) {
        return;
    }
    // Loaded anew at every opening, so it always shows what the file holds.
    auto* window = new Window(m_session.platform(), m_session.cartridge(), m_owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->Form_Load()) {
        delete window;
        return;
    }
    m_modals.showModal(window);
}

template <typename Window> void GameWindows::openLocations(QPointer<LocationWindow>& slot)
{
    if (!m_session.isLoaded()) {
        return;
    }
    // Chosen again while it waits for a pick, the window is filled again and
    // the picks not yet saved are dropped. It is not marked WA_DeleteOnClose,
    // which would delete it as soon as it hides for a pick; it deletes itself
    // when closed.
    const bool created = !slot || !slot->isLoaded();
    if (created) {
        slot = new Window(m_session.platform(), m_session.cartridge(), m_session.pick(), m_owner);
        connect(slot, &QObject::destroyed, this, &GameWindows::locationWindowClosed);
    }
    if (!slot->FillFromFile(m_session.cartridge().CartridgePath())) {
        if (created) {
            delete slot;
        } else {
            slot->close();  // its rows no longer match the file
        }
        return;
    }
    m_modals.showModal(slot);
}

void GameWindows::openCharacters()
{
    openFresh<frmCharacters>();
}

void GameWindows::openItems()
{
    openLocations<frmIB>(m_itemsWindow);
}

void GameWindows::openPrices()
{
    openFresh<frmPrices>();
}

void GameWindows::openTowns()
{
    openLocations<frmTowns>(m_townsWindow);
}

void GameWindows::deliver(LocationPick::Window window, int row, const MapCell& cell)
{
    LocationWindow* target = window == LocationPick::Window::Towns ? m_townsWindow.data() : m_itemsWindow.data();
    if (target) {
        target->SetPickedLocation(row, cell);
        m_modals.showModal(target);
    }
}

void GameWindows::closeWaiting()
{
    for (LocationWindow* waiting : {m_itemsWindow.data(), m_townsWindow.data()}) {
        if (waiting) {
            waiting->close();
        }
    }
}
