#pragma once

#include "core/LocationFields.h"
#include "core/MapCell.h"

#include <QObject>
#include <QString>

class MapDocument;
class Platform;

// The locations of one Game table as the cartridge file holds them: the five
// items and the balloon, or the twelve towns. It reads every row in one read
// of the file and writes rows back in one all-or-nothing patch, the backup
// first. The items' bytes lie inside the cartridge image (outside the map's
// cells); a write stores them there too, through the document, so a later
// "Save Changes" keeps them. Whatever shows the locations follows changed().
class LocationTable : public QObject {
    Q_OBJECT
public:
    enum class Kind { Items, Towns };

    LocationTable(Kind kind, Platform& platform, MapDocument& document, QObject* parent = nullptr);

    Kind kind() const { return m_kind; }
    const LocationFields::Table& fields() const;
    int rowCount() const { return static_cast<int>(fields().rows.size()); }
    // "Brask:" as the window labels the row, and "Brask" as markers and messages name it.
    QString label(int row) const;
    QString name(int row) const;

    // The rows as last read or written; empty while the file could not give them.
    const MapCells& cells() const { return m_cells; }
    bool isRead() const { return !m_cells.isEmpty(); }

    // Reads every row from the loaded cartridge; false (rows emptied) when the
    // file cannot give them all, with the reason in `error`.
    bool read(QString* error);
    // The same for a window about to show the rows: the message that it cannot
    // be shown (naming `windowTitle`) when the file fails; the rows stay as they were.
    bool readForWindow(const QString& windowTitle);

    // Writes `cells` (one per row) into the file; the rows become them. A
    // failed write shows "Locations not saved" with the reason and changes nothing.
    bool write(const MapCells& cells);
    // The same without a message: the reason goes to `error`.
    bool write(const MapCells& cells, QString* error);

    // "Important Note": the towns' warps.
    void showWarpNote();

signals:
    void changed();

private:
    Kind m_kind;
    Platform& m_platform;
    MapDocument& m_document;
    MapCells m_cells;
};
