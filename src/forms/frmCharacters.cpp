#include "frmCharacters.h"

#include "Cartridge.h"
#include "Platform.h"

frmCharacters::frmCharacters(Platform& platform, Cartridge& cartridge, QWidget* owner)
    : QDialog(owner), m_platform(platform), m_cartridge(cartridge)
{
    setObjectName(QStringLiteral("frmCharacters"));
}

bool frmCharacters::Form_Load()
{
    return false;
}

void frmCharacters::cmdSave_Click() {}
