#include "editor/LocationPicker.h"

#include "editor/LocationTable.h"

void LocationPicker::request(LocationTable& table, int row)
{
    m_requests.removeIf([&](const Request& r) { return r.table == &table; });
    m_requests.append({&table, row});
    emit waitingChanged();
}

void LocationPicker::withdraw(LocationTable& table)
{
    if (m_requests.removeIf([&](const Request& r) { return r.table == &table; }) > 0) {
        emit waitingChanged();
    }
}

void LocationPicker::clear()
{
    if (!m_requests.isEmpty()) {
        m_requests.clear();
        emit waitingChanged();
    }
}

std::optional<LocationPicker::Request> LocationPicker::waiting() const
{
    return m_requests.isEmpty() ? std::nullopt : std::optional(m_requests.last());
}

QString LocationPicker::status() const
{
    const auto request = waiting();
    return request ? QStringLiteral("Click the map to place %1, Escape cancels").arg(request->table->name(request->row))
                   : QString();
}

bool LocationPicker::take(const MapCell& cell)
{
    if (m_requests.isEmpty()) {
        return false;
    }
    const Request answered = m_requests.takeLast();
    emit waitingChanged();
    emit picked(answered.table, answered.row, cell);
    return true;
}

bool LocationPicker::cancel()
{
    if (m_requests.isEmpty()) {
        return false;
    }
    const Request dropped = m_requests.takeLast();
    emit waitingChanged();
    emit cancelled(dropped.table, dropped.row);
    return true;
}
