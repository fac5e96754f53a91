#include "ui/frmTowns.h"

#include "editor/LocationTable.h"
#include "ui/SideWindow.h"

#include <QPushButton>

frmTowns::frmTowns(LocationTable& table, LocationPicker& picker, QWidget* owner)
    : LocationWindow(table, picker, owner, RowColumns{QStringLiteral("Label2"), 0, 120, 1200, 2400, 3240, 1335})
{
    SideWindow::SetUp(this, QStringLiteral("frmTowns"), QStringLiteral("Location of Towns"), 4725, 5415);

    addHeading(QStringLiteral("Label1_6"), QStringLiteral("Town"), 120, 120, 645, 285);
    addHeading(QStringLiteral("Label1_0"), QStringLiteral("Sextant"), 1200, 120, 870, 285);
    addHeading(QStringLiteral("Label1_1"), QStringLiteral("Block"), 2400, 120, 660, 285);

    addHorizontalRule(QStringLiteral("Line1"), 480, 120, 4560);
    addHorizontalRule(QStringLiteral("Line3"), 4920, 120, 4560);
    addVerticalRule(QStringLiteral("Line2"), 1080, 480, 4920);
    addVerticalRule(QStringLiteral("Line4_0"), 2280, 480, 4920);
    addVerticalRule(QStringLiteral("Line4_1"), 3120, 480, 4920);

    QPushButton* note = addButton(QStringLiteral("Command1"), QStringLiteral("&Read This!"), 120, 5040, 1215, 285);
    note->setAccessibleName(QStringLiteral("Read the note on town warps"));
    connect(note, &QPushButton::clicked, this, &frmTowns::Command1_Click);
    QPushButton* save = addButton(QStringLiteral("cmdSave"), QStringLiteral("&Save!"), 3240, 5040, 1215, 285);
    save->setAccessibleName(QStringLiteral("Save locations"));
    connect(save, &QPushButton::clicked, this, &frmTowns::cmdSave_Click);
}

void frmTowns::Command1_Click()
{
    m_table.showWarpNote();
}
