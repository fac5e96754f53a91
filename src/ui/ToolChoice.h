#pragma once

#include <QObject>

class EditorSession;
class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QIcon;
class QKeySequence;
class QToolBar;

// The Tools menu and the tool bar, made from ToolRegistry in its order: the
// brush (B), bucket fill (F), rectangle fill (P) and rectangular selection
// (R), one of them chosen at a time, the brush at start. Each entry is named
// "mnuTools" and the tool's id, with the tool's caption, key, tooltip, status
// text and icon. They are available with the Game menu. The tool bar shows
// pictures, each button's tooltip its name and key ("Brush (B)").
class ToolChoice : public QObject {
    Q_OBJECT
public:
    // The menu goes before `menuBefore` in the window's menu bar.
    ToolChoice(QMainWindow* window, QAction* menuBefore, EditorSession& session);

    void setEnabled(bool enabled);
    // The tools' entries, so another window can take their keys.
    QList<QAction*> actions() const;
    // The Tools menu, for entries of other commands after the tools.
    QMenu* menu() const { return mnuTools; }
    QToolBar* toolBar() const { return m_toolBar; }
    // Buttons for entries of other menus (the zooms), after the tools'; `icons` are their pictures' paths.
    void addButtons(const QList<QAction*>& actions, const QStringList& icons);

    // A picture of resources/toolbar with its double-size one ("brush.png" and "brush@2x.png").
    static QIcon Icon(const QString& path);
    // "Zoom In (Ctrl++)"
    static QString ToolTip(const QString& name, const QKeySequence& key);

private:
    EditorSession& m_session;
    QMenu* mnuTools = nullptr;
    QToolBar* m_toolBar = nullptr;
    QActionGroup* m_group = nullptr;
};
