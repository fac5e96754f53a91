#pragma once

#include <QMenu>
#include <QStringList>

// "Recent &Files" of the File menu: the cartridges loaded last, newest first,
// "&1 <full path>" and so on. Empty, the menu is disabled.
class RecentFilesMenu : public QMenu {
    Q_OBJECT
public:
    explicit RecentFilesMenu(QWidget* parent);

    void setFiles(const QStringList& files);

signals:
    void chosen(const QString& path);
};
