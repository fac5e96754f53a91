#include "ui/LocationWindow.h"

#include "core/Cartridge.h"
#include "core/CartridgeFile.h"
#include "core/MapGeometry.h"
#include "editor/Platform.h"
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

LocationWindow::LocationWindow(Platform& platform, Cartridge& cartridge, LocationPick& pick, QWidget* owner,
                               const LocationFields::Table& table, const RowColumns& columns,
                               bool LocationPick::*loadedFlag, bool storeIntoImage)
    : QDialog(owner), m_platform(platform), m_cartridge(cartridge), m_pick(pick), m_table(table),
      m_loadedFlag(loadedFlag), m_storeIntoImage(storeIntoImage)
{
    setFont(UiFonts::Arial(8.25));  // before the rows, which take it over
    // Form_Load: from now on presses on the map may come to this window.
    m_pick.*m_loadedFlag = true;

    for (int i = 0; i < rowCount(); ++i) {
        const int top = FirstRowTop + RowStep * i;
        auto* name = new QLabel(m_table.rows[i].label, this);
        name->setObjectName(indexed(columns.nameLabel, columns.firstNameIndex + i));
        name->adjustSize();
        name->setGeometry(ToPixels(columns.nameLeft, top, 0, NameHeight).adjusted(0, 0, name->width(), 0));

        const QString& label = m_table.rows[i].label;
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
    m_pick.*m_loadedFlag = false;
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

bool LocationWindow::FillFromFile(const QString& path)
{
    QString error;
    const std::optional<MapCells> locations = LocationFields::Read(path, m_table, &error);
    if (!locations) {
        SideWindow::ReportUnreadable(m_platform, this, error);
        return false;
    }
    m_locations = *locations;
    for (int i = 0; i < rowCount(); ++i) {
        showLocation(i);
    }
    m_path = path;
    m_pickRow.reset();
    return true;
}

void LocationWindow::showLocation(int row)
{
    const MapCell& cell = m_locations[row];
    lblSextant[row]->setText(MapGeometry::LocationText(cell.row, cell.column));
    lblBlock[row]->setText(MapGeometry::BlockLabel(cell.block()));
}

void LocationWindow::SetPickedLocation(int row, const MapCell& cell)
{
    // The shared pick row names the row of whichever window asked last; this
    // window's own request wins, so a pick meant for it lands where it asked.
    const int target = m_pickRow.value_or(row);
    m_pickRow.reset();
    if (target < 0 || target >= rowCount()) {
        return;
    }
    m_locations[target] = cell;
    showLocation(target);
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
    m_pickRow = index;
    m_pick.PickRow = static_cast<quint8>(index);
}

void LocationWindow::cmdSave_Click()
{
    const QList<FilePatch> patches = LocationFields::Patches(m_table, m_locations);
    QString error;
    if (!CartridgeFile::patch(m_path, patches, &error, m_table.requiredLength)) {
        m_platform.message(QStringLiteral("Locations not saved"),
                           Platform::Paragraphs({QStringLiteral("The locations were not saved."), error}),
                           Platform::Icon::Critical);
        return;
    }
    // The image belongs to the cartridge now loaded, which may be another file.
    if (m_storeIntoImage && m_cartridge.CartridgePath() == m_path) {
        m_cartridge.storeWritten(patches);
    }
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
