#pragma once

#include "core/RecentFiles.h"

#include <QMenu>

class QSettings;

// "Recent &Files" of the File menu: the cartridges loaded last, newest first,
// "&1 <full path>" and so on. Empty, the menu is disabled.
class RecentFilesMenu : public QMenu {
    Q_OBJECT
public:
    RecentFilesMenu(QSettings* settings, QWidget* parent);

    const QStringList& files() const { return m_recent.files(); }
    void add(const QString& path);
    void remove(const QString& path);

signals:
    void chosen(const QString& path);

private:
    void rebuild();

    RecentFiles m_recent;
};
