#pragma once

#include "core/LocationFields.h"
#include "core/MapCell.h"
#include "editor/LocationPick.h"

#include <QDialog>
#include <QList>

#include <optional>

class Cartridge;
class Platform;
class QLabel;
class QPushButton;

// A window of locations taken from the map: one row per location with its
// name, its location text "(rrr, ccc)", its block digit and a "New Location"
// button. The window keeps the locations as cells and makes the texts only
// to show them; "&Save!" writes them all into the cartridge file at once.
//
// The window marks itself loaded in the pick state from its creation until it
// is closed or destroyed, so that presses on the map come to it while it is
// hidden and waiting for a pick. A closed window deletes itself. It does not
// use WA_DeleteOnClose for that: QDialog::exec would then delete the window as
// soon as it hides for a pick.
class LocationWindow : public QDialog {
    Q_OBJECT
public:
    ~LocationWindow() override;

    // Fills every row from the file; false (after a message naming the file
    // and the reason) when the file cannot give every row, leaving the rows
    // as they were. Picks not yet saved are dropped.
    bool FillFromFile(const QString& path);

    // Row `row` (or, when this window's own "New Location" was pressed last,
    // that row) takes the cell picked on the map.
    void SetPickedLocation(int row, const MapCell& cell);
    const MapCells& locations() const { return m_locations; }

    // True from creation until the window is closed.
    bool isLoaded() const { return m_loaded; }
    int rowCount() const { return static_cast<int>(m_table.rows.size()); }

public slots:
    // Hides the window (it stays loaded) and hands the input to the main
    // window, which sends the next press on the map to row `index`.
    void cmdLocation_Click(int index);
    // Writes every row into the file in one all-or-nothing patch, then closes.
    // When the write fails: a message, and the window stays as it was.
    void cmdSave_Click();

protected:
    // Where the row controls stand, in twips.
    struct RowColumns {
        QString nameLabel;  // object name of the name labels: "<nameLabel>_<firstNameIndex + row>"
        int firstNameIndex = 0;
        int nameLeft = 0;
        int sextantLeft = 0;
        int blockLeft = 0;
        int buttonLeft = 0;
        int buttonWidth = 0;
    };

    // `loadedFlag` is the member of the pick state that marks this window
    // loaded; `storeIntoImage` makes a save also store the written bytes that
    // the cartridge image holds.
    LocationWindow(Platform& platform, Cartridge& cartridge, LocationPick& pick, QWidget* owner,
                   const LocationFields::Table& table, const RowColumns& columns, bool LocationPick::*loadedFlag,
                   bool storeIntoImage);

    // Controls placed at twip positions (15 twips to the pixel).
    QLabel* addHeading(const QString& name, const QString& text, int left, int top, int width, int height);
    QPushButton* addButton(const QString& name, const QString& text, int left, int top, int width, int height);
    void addHorizontalRule(const QString& name, int y, int x1, int x2);
    void addVerticalRule(const QString& name, int x, int y1, int y2);

    Platform& m_platform;

    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape closes the window like its close box

private:
    void unload();
    void showLocation(int row);

    Cartridge& m_cartridge;
    LocationPick& m_pick;
    const LocationFields::Table& m_table;
    bool LocationPick::*m_loadedFlag;
    bool m_storeIntoImage;
    bool m_loaded = true;
    QString m_path;  // the file the rows were read from, and are saved to
    std::optional<int> m_pickRow;  // this window's own pending pick
    MapCells m_locations;
    QList<QLabel*> lblSextant;
    QList<QLabel*> lblBlock;
    QList<QPushButton*> cmdLocation;
};
