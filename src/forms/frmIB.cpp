#include "frmIB.h"

#include "Cartridge.h"
#include "PickState.h"
#include "Platform.h"

frmIB::frmIB(Platform& platform, Cartridge& cartridge, PickState& pick, QWidget* owner)
    : QDialog(owner), m_platform(platform), m_cartridge(cartridge), m_pick(pick)
{
    setObjectName(QStringLiteral("frmIB"));
}

bool frmIB::FillFromFile(const QString&)
{
    return false;
}

void frmIB::SetPickedLocation(int, const QString&, const QString&) {}

void frmIB::cmdSave_Click() {}
