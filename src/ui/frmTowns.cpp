#include "ui/frmTowns.h"

#include "core/Cartridge.h"
#include "editor/LocationPick.h"
#include "editor/Platform.h"
#include "ui/SideWindow.h"

#include <QPushButton>
#include <QStringList>

frmTowns::frmTowns(Platform& platform, Cartridge& cartridge, LocationPick& pick, QWidget* owner)
    : LocationWindow(platform, cartridge, pick, owner, LocationFields::Towns(),
                     RowColumns{QStringLiteral("Label2"), 0, 120, 1200, 2400, 3240, 1335},
                     &LocationPick::TownsWindowOpen, false)
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

QString frmTowns::ImportantNoteTitle()
{
    return QStringLiteral("Important Note");
}

QString frmTowns::ImportantNoteText()
{
    // The accents (U+00B4) stand where the note's author wrote them; "towns'"
    // and "game's" keep plain apostrophes.
    return QStringList{
        QStringLiteral(u"I haven\u00B4t full tested the towns' warp system. All"),
        QStringLiteral("I know is that if you put more than 2 or 3 towns"),
        QStringLiteral(u"in the same screen, the warps won\u00B4t work. It\u00B4s"),
        QStringLiteral("still buggy, so be careful. If you find out how"),
        QStringLiteral("does the warp thing works, please mail me!"),
        QStringLiteral(u"(I won\u00B4t try. I\u00B4m sicked of finding game's data :P)"),
        QString(),
        QStringLiteral("orvane-editor@users.noreply.example"),
    }
        .join(QStringLiteral("\r\n"));
}

void frmTowns::Command1_Click()
{
    m_platform.message(ImportantNoteTitle(), ImportantNoteText(), Platform::Icon::Exclamation);
}
