#include "ui/LocationWindow.h"

#include "core/MapGeometry.h"
#include "core/TownWarps.h"
#include "editor/LocationMoves.h"
#include "editor/LocationPicker.h"
#include "editor/LocationTable.h"
#include "ui/AccessibleNames.h"
#include "ui/SideWindow.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"
#include "ui/ValueLabel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int FirstRowTop = 600;
constexpr int RowStep = 360;
constexpr int NameHeight = 210;
constexpr int ValueHeight = 285;
constexpr int SextantWidth = 975;
constexpr int BlockWidth = 615;

using Twips::ToPixels;

QString indexed(const QString& name, int index)
{
    return name + u'_' + QString::number(index);
}

}  // namespace

LocationWindow::LocationWindow(LocationTable& table, LocationPicker& picker, QWidget* owner, const RowColumns& columns)
    : QDialog(owner), m_table(table), m_picker(picker)
{
    setFont(UiFonts::Arial(8.25));  // before the rows, which take it over
    connect(&m_table, &LocationTable::changed, this, &LocationWindow::followTable);

    for (int i = 0; i < rowCount(); ++i) {
        const int top = FirstRowTop + RowStep * i;
        auto* name = new QLabel(m_table.label(i), this);
        name->setObjectName(indexed(columns.nameLabel, columns.firstNameIndex + i));
        name->adjustSize();
        name->setGeometry(ToPixels(columns.nameLeft, top, 0, NameHeight).adjusted(0, 0, name->width(), 0));

        const QString label = m_table.label(i);
        lblSextant << MakeValueLabel(this, indexed(QStringLiteral("lblSextant"), i), QStringLiteral("(000,000)"),
                                     ToPixels(columns.sextantLeft, top, SextantWidth, ValueHeight), font(),
                                     AccessibleNames::Location(label));
        lblBlock << MakeValueLabel(this, indexed(QStringLiteral("lblBlock"), i), QStringLiteral("0"),
                                   ToPixels(columns.blockLeft, top, BlockWidth, ValueHeight), font(),
                                   AccessibleNames::Block(label));
        QPushButton* button = addButton(indexed(QStringLiteral("cmdLocation"), i), QStringLiteral("New Location"),
                                        columns.buttonLeft, top, columns.buttonWidth, ValueHeight);
        button->setAccessibleName(AccessibleNames::NewLocation(label));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdLocation_Click(i); });
        cmdLocation << button;
    }
}

LocationWindow::~LocationWindow()
{
    unload();
}

void LocationWindow::unload()
{
    if (!m_loaded) {
        return;
    }
    m_loaded = false;
    m_picker.withdraw(m_table);
}

int LocationWindow::rowCount() const
{
    return m_table.rowCount();
}

QLabel* LocationWindow::addHeading(const QString& name, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(UiFonts::Arial(12, true));
    label->setGeometry(ToPixels(left, top, width, height));
    return label;
}

QPushButton* LocationWindow::addButton(const QString& name, const QString& text, int left, int top, int width,
                                       int height)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setGeometry(ToPixels(left, top, width, height));
    return button;
}

void LocationWindow::addHorizontalRule(const QString& name, int y, int x1, int x2)
{
    SideWindow::AddRule(this, name, x1, y, x2, y);
}

void LocationWindow::addVerticalRule(const QString& name, int x, int y1, int y2)
{
    SideWindow::AddRule(this, name, x, y1, x, y2);
}

bool LocationWindow::FillFromFile()
{
    if (!m_table.readForWindow(windowTitle())) {
        return false;
    }
    m_picked.clear();
    followTable();
    return true;
}

void LocationWindow::followTable()
{
    const MapCells& cells = m_table.cells();
    if (cells.size() != rowCount()) {
        return;  // the file could not give the rows: the window shows what it had
    }
    m_locations.resize(rowCount());
    for (int i = 0; i < rowCount(); ++i) {
        if (!m_picked.contains(i)) {
            m_locations[i] = cells[i];
            showLocation(i);
        }
    }
    showCrowds();
}

void LocationWindow::showCrowds()
{
    if (m_table.kind() != LocationTable::Kind::Towns) {
        return;
    }
    QList<int> crowded;
    for (const QList<int>& crowd : TownWarps::Crowds(m_locations)) {
        crowded += crowd;
    }
    const QString warning = LocationMoves::Warning(m_table, m_locations);
    for (int i = 0; i < rowCount(); ++i) {
        const bool flagged = crowded.contains(i);
        lblSextant[i]->setStyleSheet(flagged ? QStringLiteral("QLabel { color: rgb(200, 0, 160); }")
                                             : QStringLiteral("QLabel { color: black; }"));
        lblSextant[i]->setToolTip(flagged ? warning : QString());
    }
    setToolTip(warning);
}

void LocationWindow::showLocation(int row)
{
    const MapCell& cell = m_locations[row];
    lblSextant[row]->setText(MapGeometry::LocationText(cell.row, cell.column));
    lblBlock[row]->setText(MapGeometry::BlockLabel(cell.block()));
}

void LocationWindow::SetPickedLocation(int row, const MapCell& cell)
{
    if (row < 0 || row >= rowCount() || row >= m_locations.size()) {
        return;
    }
    m_locations[row] = cell;
    m_picked.insert(row);
    showLocation(row);
    showCrowds();
}

void LocationWindow::cmdLocation_Click(int index)
{
    if (index < 0 || index >= rowCount()) {
        return;
    }
    hide();
    if (QWidget* owner = parentWidget()) {
        owner->activateWindow();
    }
    m_picker.request(m_table, index);
}

void LocationWindow::cmdSave_Click()
{
    if (!m_table.write(m_locations)) {
        return;
    }
    m_picked.clear();
    QWidget* owner = parentWidget();
    close();
    if (owner) {
        owner->activateWindow();
    }
}

void LocationWindow::closeEvent(QCloseEvent* event)
{
    // Form_Unload: whatever was picked and not saved is dropped.
    unload();
    event->accept();
    deleteLater();
}

void LocationWindow::reject()
{
    close();
}
