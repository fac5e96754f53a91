#include "ui/frmIB.h"

#include "editor/LocationTable.h"
#include "ui/SideWindow.h"

#include <QPushButton>

frmIB::frmIB(LocationTable& table, LocationPicker& picker, QWidget* owner)
    : LocationWindow(table, picker, owner, RowColumns{QStringLiteral("Label1"), 3, 120, 1680, 2880, 3720, 1215})
{
    SideWindow::SetUp(this, QStringLiteral("frmIB"), QStringLiteral("Location of Overworld Items & Balloon"), 5100,
                      3300);

    addHeading(QStringLiteral("Label1_0"), QStringLiteral("Item"), 120, 120, 480, 285);
    addHeading(QStringLiteral("Label1_1"), QStringLiteral("Sextant"), 1680, 120, 870, 285);
    addHeading(QStringLiteral("Label1_2"), QStringLiteral("Block"), 2880, 120, 660, 285);

    addHorizontalRule(QStringLiteral("Line1"), 480, 120, 5040);
    addHorizontalRule(QStringLiteral("Line3"), 2760, 120, 4920);
    addVerticalRule(QStringLiteral("Line2_0"), 1560, 480, 2760);
    addVerticalRule(QStringLiteral("Line2_1"), 2760, 480, 2760);
    addVerticalRule(QStringLiteral("Line2_2"), 3600, 480, 2760);

    QPushButton* save = addButton(QStringLiteral("cmdSave"), QStringLiteral("&Save!"), 3720, 2880, 1215, 285);
    save->setAccessibleName(QStringLiteral("Save locations"));
    connect(save, &QPushButton::clicked, this, &frmIB::cmdSave_Click);
}
