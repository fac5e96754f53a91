#include "frmPrices.h"

#include "Cartridge.h"
#include "Platform.h"

frmPrices::frmPrices(Platform& platform, Cartridge& cartridge, QWidget* owner)
    : QDialog(owner), m_platform(platform), m_cartridge(cartridge)
{
    setObjectName(QStringLiteral("frmPrices"));
}

bool frmPrices::Form_Load()
{
    return false;
}

void frmPrices::cmdSave_Click() {}
