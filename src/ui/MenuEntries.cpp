#include "ui/MenuEntries.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace MenuEntries {

QMenu* AddMenu(QMainWindow* window, QAction* before, const QString& name, const QString& caption)
{
    auto* menu = new QMenu(caption, window->menuBar());
    menu->setObjectName(name);
    window->menuBar()->insertMenu(before, menu);
    return menu;
}

QAction* Add(QMenu* menu, const QString& name, const QString& caption, const QList<QKeySequence>& keys)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

void AddSeparator(QMenu* menu, const QString& name)
{
    menu->addSeparator()->setObjectName(name);
}

}  // namespace MenuEntries
