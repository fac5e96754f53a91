#include "frmTowns.h"

#include "Cartridge.h"
#include "PickState.h"
#include "Platform.h"

frmTowns::frmTowns(Platform& platform, Cartridge& cartridge, PickState& pick, QWidget* owner)
    : QDialog(owner), m_platform(platform), m_cartridge(cartridge), m_pick(pick)
{
    setObjectName(QStringLiteral("frmTowns"));
}

bool frmTowns::FillFromFile(const QString&)
{
    return false;
}

void frmTowns::SetPickedLocation(int, const QString&, const QString&) {}

void frmTowns::cmdSave_Click() {}
