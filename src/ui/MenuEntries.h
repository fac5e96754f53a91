#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QString>

class QMainWindow;
class QMenu;

// How every menu and menu entry of the main window is made: named (its
// objectName, by which tests and people find it), with its caption and keys,
// the keys working while the entry's window is the active one.
namespace MenuEntries {

// A menu of the window's menu bar, before the menu of `before` (last without one).
QMenu* AddMenu(QMainWindow* window, QAction* before, const QString& name, const QString& caption);

// An entry at the end of `menu`.
QAction* Add(QMenu* menu, const QString& name, const QString& caption, const QList<QKeySequence>& keys = {});

// An entry whose choice runs `slot` of `receiver`.
template <typename Receiver, typename Slot>
QAction* Add(QMenu* menu, const QString& name, const QString& caption, const QList<QKeySequence>& keys,
             const Receiver* receiver, Slot slot)
{
    QAction* action = Add(menu, name, caption, keys);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

// A named separator at the end of `menu`.
void AddSeparator(QMenu* menu, const QString& name);

}  // namespace MenuEntries
