#pragma once

#include <QMainWindow>

class EditorSession;
class GameWindows;
class MapEditMenus;
class MapPanel;
class ModalDisplay;
class PalettePanel;
class QAction;
class QMenu;
class TitleThrottle;
class ToolChoice;
class ViewMenuCommands;

// The main window: the tile palette and readouts on the left, the map of one
// block on the right, and the menus from which every other window is
// reached. It shows the editor session and hands every command to it.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(EditorSession& session, ModalDisplay& modals, QWidget* parent = nullptr);
    ~frmMain() override;

public slots:
    void mnuFileLoad_Click();
    void mnuFileSave_Click();
    void mnuFileQuit_Click();
    void mnuCharacters_Click();
    void mnuGameItems_Click();
    void mnuGamePriceItems_Click();
    void mnuGameTowns_Click();
    void mnuHelpHelp_Click();
    void mnuHelpAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void orderTabs();
    void setGameMenuEnabled(bool enabled);
    void loadStarted();
    void loadEnded(bool loaded);
    // The status bar's fields of the file and of the changes.
    void addStatusFields();
    // The place, size and state of the last run, else as at the first start.
    void restoreLayout();
    void centre();

    EditorSession& m_session;
    ModalDisplay& m_modals;
    TitleThrottle* m_caption = nullptr;
    PalettePanel* Frame1 = nullptr;
    MapPanel* Frame2 = nullptr;
    GameWindows* m_gameWindows = nullptr;
    MapEditMenus* m_editMenus = nullptr;
    ToolChoice* m_tools = nullptr;
    ViewMenuCommands* m_viewCommands = nullptr;
    QByteArray m_firstState;  // the tool bar as at the first start
    bool m_frame1WasEnabled = true;
    bool m_frame2WasEnabled = false;
    bool m_centred = false;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileLoad = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileQuit = nullptr;
    QMenu* mnuGame = nullptr;
    QAction* mnuCharacters = nullptr;
    QAction* mnuGameItems = nullptr;
    QAction* mnuGamePriceItems = nullptr;
    QAction* mnuGameTowns = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;
};
