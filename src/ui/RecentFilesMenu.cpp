#include "ui/RecentFilesMenu.h"

#include <QDir>

RecentFilesMenu::RecentFilesMenu(QWidget* parent) : QMenu(QStringLiteral("Recent &Files"), parent)
{
    setObjectName(QStringLiteral("mnuFileRecent"));
}

void RecentFilesMenu::setFiles(const QStringList& files)
{
    clear();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(u'&', QStringLiteral("&&"));  // an ampersand in a name is not an access key
        QAction* action = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
        connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    setEnabled(!files.isEmpty());
    menuAction()->setEnabled(!files.isEmpty());
}
