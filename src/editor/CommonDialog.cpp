#include "editor/CommonDialog.h"

CommonDialog::CommonDialog(Platform& platform, QObject* parent)
    : QObject(parent), m_platform(platform), m_color(FirstColor())
{
    setObjectName(QStringLiteral("dlgMain"));
}

QList<Platform::FileFilter> CommonDialog::OpenFilter()
{
    // "NES files (*.nes)|*.nes|All Files(*.*)|*.*": two entries, the first selected.
    return {{QStringLiteral("NES files (*.nes)"), QStringLiteral("*.nes")}, Platform::AllFiles()};
}

bool CommonDialog::ShowOpen()
{
    // The dialog's own title and starting folder.
    const auto chosen = m_platform.openFileName({}, OpenFilter());
    if (!chosen) {
        return false;
    }
    m_fileName = *chosen;
    return true;
}

bool CommonDialog::ShowColor()
{
    const auto chosen = m_platform.chooseColor(m_color);
    if (!chosen || !chosen->isValid()) {
        return false;
    }
    m_color = *chosen;
    return true;
}
