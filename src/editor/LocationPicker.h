#pragma once

#include "core/MapCell.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class LocationTable;

// A location waited for from the map: a Game window asks for a cell for one
// row of its table, and the next press on a map view answers the newest
// request instead of reaching a tool. A window that closes withdraws its
// request; Escape cancels the newest. At most one request per table: asking
// again replaces it.
class LocationPicker : public QObject {
    Q_OBJECT
public:
    struct Request {
        LocationTable* table = nullptr;
        int row = 0;
    };

    using QObject::QObject;

    void request(LocationTable& table, int row);
    void withdraw(LocationTable& table);
    void clear();

    // The request the next press answers.
    std::optional<Request> waiting() const;
    bool isWaiting() const { return !m_requests.isEmpty(); }
    // "Click the map to place Brask, Escape cancels", while a request waits.
    QString status() const;

    // Answers the newest request with `cell`; false when none waits.
    bool take(const MapCell& cell);
    // Ends the newest request unanswered; false when none waits.
    bool cancel();

signals:
    void picked(LocationTable* table, int row, const MapCell& cell);
    void cancelled(LocationTable* table, int row);
    void waitingChanged();

private:
    QList<Request> m_requests;  // oldest first
};
