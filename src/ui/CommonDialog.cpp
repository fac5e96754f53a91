#include "ui/CommonDialog.h"

#include <QWidget>

CommonDialog::CommonDialog(Platform& platform, QWidget* owner)
    : QObject(owner), m_platform(platform), m_owner(owner), m_color(255, 0, 0)
{
    setObjectName(QStringLiteral("dlgMain"));
}

QList<Platform::FileFilter> CommonDialog::OpenFilter()
{
    // "NES files (*.nes)|*.nes|All Files(*.*)|*.*": two entries, the first selected.
    return {{QStringLiteral("NES files (*.nes)"), QStringLiteral("*.nes")},
            {QStringLiteral("All Files(*.*)"), QStringLiteral("*.*")}};
}

bool CommonDialog::ShowOpen()
{
    const auto chosen = m_platform.openFileName(m_owner, OpenFilter());
    if (!chosen) {
        return false;
    }
    m_fileName = *chosen;
    return true;
}

bool CommonDialog::ShowColor()
{
    const auto chosen = m_platform.chooseColor(m_owner, m_color);
    if (!chosen || !chosen->isValid()) {
        return false;
    }
    m_color = *chosen;
    return true;
}
