#pragma once

#include <QObject>

class EditorSession;
class QAction;
class QMenu;
class QToolBar;

// The View menu's entries for changes and the layout: "Show &Changes"
// (Ctrl+D, remembered), "&Next Change" (F8) and "&Previous Change"
// (Shift+F8), which move the cell cursor from change to change, "&Tool Bar"
// (remembered) and "&Reset Layout", which forgets what is remembered and puts
// every window back as at the first start.
class ViewMenuCommands : public QObject {
    Q_OBJECT
public:
    ViewMenuCommands(QMenu* view, QToolBar* toolBar, EditorSession& session);

    // Show Changes and the moves between changes are available with the Game menu.
    void setEnabled(bool enabled);
    QAction* showChanges() const { return mnuViewShowChanges; }
    // The entries with keys of their own, for the world map window to take.
    QList<QAction*> keyed() const { return {mnuViewShowChanges, mnuViewNextChange, mnuViewPreviousChange}; }

private:
    EditorSession& m_session;
    QToolBar* m_toolBar;
    QAction* mnuViewShowChanges = nullptr;
    QAction* mnuViewNextChange = nullptr;
    QAction* mnuViewPreviousChange = nullptr;
    QAction* mnuViewToolBar = nullptr;
    QAction* mnuViewResetLayout = nullptr;
};
