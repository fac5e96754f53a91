#include "ui/GameWindows.h"

#include "editor/EditorSession.h"
#include "editor/LocationPicker.h"
#include "editor/LocationTable.h"
#include "ui/ModalDisplay.h"
#include "ui/frmCharacters.h"
#include "ui/frmIB.h"
#include "ui/frmPrices.h"
#include "ui/frmTowns.h"

GameWindows::GameWindows(EditorSession& session, ModalDisplay& modals, QWidget* owner)
    : QObject(owner), m_session(session), m_modals(modals), m_owner(owner)
{
    connect(&m_session.picker(), &LocationPicker::picked, this, &GameWindows::deliver);
    connect(&m_session.picker(), &LocationPicker::cancelled, this, &GameWindows::showAgain);
    connect(&m_session, &EditorSession::cartridgeLoaded, this, &GameWindows::closeWaiting);
}

template <typename Window, typename Table> void GameWindows::openFresh(Table& table)
{
    if (!m_session.isLoaded()) {
        return;
    }
    // Loaded anew at every opening, so it always shows what the file holds.
    auto* window = new Window(table, m_owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->Form_Load()) {
        delete window;
        return;
    }
    m_modals.showModal(window);
}

template <typename Window> void GameWindows::openLocations(QPointer<LocationWindow>& slot, LocationTable& table)
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
        slot = new Window(table, m_session.picker(), m_owner);
    }
    if (!slot->FillFromFile()) {
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
    openFresh<frmCharacters>(m_session.characterTable());
}

void GameWindows::openItems()
{
    openLocations<frmIB>(m_itemsWindow, m_session.itemsTable());
}

void GameWindows::openPrices()
{
    openFresh<frmPrices>(m_session.priceTable());
}

void GameWindows::openTowns()
{
    openLocations<frmTowns>(m_townsWindow, m_session.townsTable());
}

LocationWindow* GameWindows::windowOf(const LocationTable* table) const
{
    return table == &m_session.townsTable() ? m_townsWindow.data() : m_itemsWindow.data();
}

void GameWindows::deliver(LocationTable* table, int row, const MapCell& cell)
{
    if (LocationWindow* target = windowOf(table)) {
        target->SetPickedLocation(row, cell);
        m_modals.showModal(target);
    }
}

void GameWindows::showAgain(LocationTable* table)
{
    if (LocationWindow* target = windowOf(table)) {
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
