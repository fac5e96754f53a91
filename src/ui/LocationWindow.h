#pragma once

#include "core/MapCell.h"

#include <QDialog>
#include <QList>
#include <QSet>

class LocationPicker;
class LocationTable;
class QLabel;
class QPushButton;

// A window of locations taken from the map, a view of a location table: one
// row per location with its name, its location text "(rrr, ccc)", its block
// digit and a "New Location" button, which hides the window and asks the
// session's picker for a cell of the map. Picks show in their rows until
// "&Save!" writes every row into the cartridge file at once; rows not picked
// follow the table when it changes (a location moved on the map).
//
// The window is loaded from its creation until it is closed or destroyed; its
// request for a pick goes with it. A closed window deletes itself. It does not
// use WA_DeleteOnClose for that: QDialog::exec would then delete the window as
// soon as it hides for a pick.
class LocationWindow : public QDialog {
    Q_OBJECT
public:
    ~LocationWindow() override;

    // Fills every row from the file, read once; false (after a message naming
    // the file and the reason) when the file cannot give every row, leaving the
    // rows as they were. Picks not yet saved are dropped.
    bool FillFromFile();

    // Row `row` takes the cell picked on the map.
    void SetPickedLocation(int row, const MapCell& cell);
    const MapCells& locations() const { return m_locations; }

    // True from creation until the window is closed.
    bool isLoaded() const { return m_loaded; }
    int rowCount() const;

public slots:
    // Hides the window (it stays loaded) and hands the input to the main
    // window; the next press on the map answers row `index`.
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

    LocationWindow(LocationTable& table, LocationPicker& picker, QWidget* owner, const RowColumns& columns);

    // Controls placed at twip positions (15 twips to the pixel).
    QLabel* addHeading(const QString& name, const QString& text, int left, int top, int width, int height);
    QPushButton* addButton(const QString& name, const QString& text, int left, int top, int width, int height);
    void addHorizontalRule(const QString& name, int y, int x1, int x2);
    void addVerticalRule(const QString& name, int x, int y1, int y2);

    LocationTable& m_table;

    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape closes the window like its close box

private:
    void unload();
    void showLocation(int row);
    void followTable();
    // Towns sharing a screen with two others: their rows in the warning colour, and what the rows' tooltips say.
    void showCrowds();

    LocationPicker& m_picker;
    bool m_loaded = true;
    QSet<int> m_picked;  // rows picked and not saved
    MapCells m_locations;
    QList<QLabel*> lblSextant;
    QList<QLabel*> lblBlock;
    QList<QPushButton*> cmdLocation;
};
