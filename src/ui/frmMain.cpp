#include "ui/frmMain.h"

#include "editor/EditorSession.h"
#include "ui/CursorMenuCommands.h"
#include "ui/DesktopIntegration.h"
#include "ui/EmulatorMenuCommands.h"
#include "ui/FileMenuCommands.h"
#include "ui/GameWindows.h"
#include "ui/MainClient.h"
#include "ui/MainWindowNames.h"
#include "ui/MapEditMenus.h"
#include "ui/MapPanel.h"
#include "ui/MapView.h"
#include "ui/MenuEntries.h"
#include "ui/ModalDisplay.h"
#include "ui/PalettePanel.h"
#include "ui/TitleThrottle.h"
#include "ui/ToolChoice.h"
#include "ui/UiFonts.h"
#include "ui/ViewMenuCommands.h"
#include "ui/frmAbout.h"
#include "ui/frmWorldMap.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

frmMain::frmMain(EditorSession& session, ModalDisplay& modals, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_modals(modals)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(EditorSession::Title());
    setFont(UiFonts::Arial(8.25));
    setAttribute(Qt::WA_AlwaysShowToolTips);  // the map's cell tooltip, also beside a hex editor that has the focus
    m_caption = new TitleThrottle(this, [this] { return m_session.caption(); });
    connect(&m_session, &EditorSession::captionChanged, this,
            [this](bool urgent) { urgent ? m_caption->showNow() : m_caption->show(); });

    auto* client = new MainClient(this);
    setCentralWidget(client);
    Frame1 = new PalettePanel(m_session, client);
    Frame2 = new MapPanel(m_session, client);
    client->setGroups(Frame1, Frame2);
    m_gameWindows = new GameWindows(m_session, m_modals, this);

    buildMenus();
    // Every menu command (by its menu, shortcut or tool button) ends a brush
    // stroke under way before it acts: the menu hears of it before the command.
    connect(menuBar(), &QMenuBar::triggered, &m_session, &EditorSession::endStroke);
    new DesktopIntegration(m_session, this, mnuFile);
    MainWindowNames::Apply(this);
    m_editMenus =
        new MapEditMenus(this, mnuGame->menuAction(), mnuHelp->menuAction(), m_session, m_modals, *Frame2->view());
    m_tools = new ToolChoice(this, mnuHelp->menuAction(), m_session);
    new EmulatorMenuCommands(m_session, m_tools->menu());
    connect(Frame2, &MapPanel::viewportChanged, m_editMenus, &MapEditMenus::updateWorldViewport);
    auto* cursorCommands = new CursorMenuCommands(m_session, findChild<QMenu*>(QStringLiteral("mnuEdit")));
    m_viewCommands = new ViewMenuCommands(m_editMenus->viewMenu(), m_tools->toolBar(), m_session);
    m_tools->addButtons(m_editMenus->zoomActions() << m_viewCommands->showChanges(),
                        {QStringLiteral(":/toolbar/zoom-in.png"), QStringLiteral(":/toolbar/zoom-out.png"),
                         QStringLiteral(":/toolbar/zoom-actual.png"), QStringLiteral(":/toolbar/show-changes.png")});
    connect(m_editMenus, &MapEditMenus::worldMapOpened, this, [this, cursorCommands](frmWorldMap* world) {
        world->addActions(m_tools->actions());
        world->addActions(cursorCommands->actions());
        world->addActions(m_viewCommands->keyed());
    });
    setGameMenuEnabled(false);

    // What the active tool would do, below the map.
    auto* status = new QLabel(statusBar());
    status->setObjectName(QStringLiteral("lblToolStatus"));
    status->setAccessibleDescription(QStringLiteral("Tool status"));  // its name is the text it shows
    statusBar()->addWidget(status, 1);
    connect(&m_session, &EditorSession::toolPreviewChanged, status,
            [this, status] { status->setText(m_session.toolStatus()); });

    addStatusFields();
    orderTabs();

    connect(&m_session, &EditorSession::loadStarted, this, &frmMain::loadStarted);
    connect(&m_session, &EditorSession::loadEnded, this, &frmMain::loadEnded);
    connect(&m_session, &EditorSession::cartridgeLoaded, this, [this] { mnuFileSave->setEnabled(true); });
    restoreLayout();
}

void frmMain::addStatusFields()
{
    // The changes counted while View > Show Changes is on: "12 unsaved, 40 since backup".
    auto* changes = new QLabel(statusBar());
    changes->setObjectName(QStringLiteral("lblChanges"));
    changes->setAccessibleDescription(QStringLiteral("Changed cells"));
    statusBar()->addPermanentWidget(changes);
    changes->hide();
    connect(&m_session, &EditorSession::changesChanged, changes, [this, changes] {
        changes->setText(m_session.changesStatus());
        changes->setVisible(!changes->text().isEmpty());
    });

    // The file edited: "demo.nes", "demo.nes (modified)" while map edits are not saved; its whole path as tooltip.
    auto* file = new QLabel(statusBar());
    file->setObjectName(QStringLiteral("lblFile"));
    file->setAccessibleDescription(QStringLiteral("File"));
    statusBar()->addPermanentWidget(file);
    const auto showFile = [this, file] {
        const QString path = m_session.cartridgePath();
        const QString name = QFileInfo(path).fileName();
        file->setText(m_session.document().isModified() ? name + QStringLiteral(" (modified)") : name);
        file->setToolTip(QDir::toNativeSeparators(path));
    };
    connect(&m_session, &EditorSession::cartridgeLoaded, file, showFile);
    connect(&m_session.document(), &MapDocument::modifiedChanged, file, showFile);
}

void frmMain::restoreLayout()
{
    // Before the first show: a window put back where it was is not centred again.
    m_firstState = saveState();
    LayoutMemory& memory = m_session.memory();
    if (restoreGeometry(memory.bytes(LayoutMemory::WindowGeometry))) {
        m_centred = true;
    }
    restoreState(memory.bytes(LayoutMemory::WindowState));
    m_tools->toolBar()->setVisible(memory.flag(LayoutMemory::ToolBarShown, true));
    connect(&m_session, &EditorSession::layoutReset, this, [this] {
        restoreState(m_firstState);
        setWindowState(Qt::WindowNoState);
        resize(sizeHint());
        m_centred = isVisible();
        if (m_centred) {
            centre();
        }
    });
}

frmMain::~frmMain()
{
    // A block drawing under way stops at its next cell, before the panels go.
    m_session.shutDown();
}

void frmMain::buildMenus()
{
    using MenuEntries::AddSeparator;
    const auto addAction = [this](QMenu* menu, const QString& name, const QString& caption,
                                  const QKeySequence& shortcut, void (frmMain::*slot)()) {
        const QList<QKeySequence> keys = shortcut.isEmpty() ? QList<QKeySequence>() : QList{shortcut};
        return MenuEntries::Add(menu, name, caption, keys, this, slot);
    };

    mnuFile = MenuEntries::AddMenu(this, nullptr, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuFileLoad = addAction(mnuFile, QStringLiteral("mnuFileLoad"), QStringLiteral("&Load Rom"),
                            QKeySequence(Qt::CTRL | Qt::Key_L), &frmMain::mnuFileLoad_Click);
    mnuFileSave = addAction(mnuFile, QStringLiteral("mnuFileSave"), QStringLiteral("&Save Changes"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuFileSave_Click);
    mnuFileSave->setEnabled(false);
    new FileMenuCommands(m_session, mnuFile);
    AddSeparator(mnuFile, QStringLiteral("mnuFileSep"));
    mnuFileQuit =
        addAction(mnuFile, QStringLiteral("mnuFileQuit"), QStringLiteral("&Quit"), {}, &frmMain::mnuFileQuit_Click);

    mnuGame = MenuEntries::AddMenu(this, nullptr, QStringLiteral("mnuGame"), QStringLiteral("&Game"));
    mnuCharacters = addAction(mnuGame, QStringLiteral("mnuCharacters"), QStringLiteral("&Characters"),
                              QKeySequence(Qt::CTRL | Qt::Key_C), &frmMain::mnuCharacters_Click);
    mnuGameItems = addAction(mnuGame, QStringLiteral("mnuGameItems"), QStringLiteral("&Items && Balloon"),
                             QKeySequence(Qt::CTRL | Qt::Key_I), &frmMain::mnuGameItems_Click);
    mnuGamePriceItems = addAction(mnuGame, QStringLiteral("mnuGamePriceItems"), QStringLiteral("&Prices of Items"),
                                  QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuGamePriceItems_Click);
    AddSeparator(mnuGame, QStringLiteral("mnuGameSep"));
    mnuGameTowns = addAction(mnuGame, QStringLiteral("mnuGameTowns"), QStringLiteral("&Location of Towns"),
                             QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuGameTowns_Click);

    mnuHelp = MenuEntries::AddMenu(this, nullptr, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    mnuHelpHelp = addAction(mnuHelp, QStringLiteral("mnuHelpHelp"), QStringLiteral("&Help"), QKeySequence(Qt::Key_F1),
                            &frmMain::mnuHelpHelp_Click);
    AddSeparator(mnuHelp, QStringLiteral("mnuHelpSep"));
    mnuHelpAbout =
        addAction(mnuHelp, QStringLiteral("mnuHelpAbout"), QStringLiteral("&About"), {}, &frmMain::mnuHelpAbout_Click);
}

void frmMain::orderTabs()
{
    // Tab goes through the window in reading order: the tool bar's buttons, the tile strip, the map, the block
    // list, the grid colour swatch and the Grid box.
    QList<QWidget*> order;
    if (auto* toolBar = findChild<QToolBar*>(QStringLiteral("tbTools"))) {
        for (QAction* action : toolBar->actions()) {
            if (QWidget* button = toolBar->widgetForAction(action)) {
                order << button;
            }
        }
    }
    for (const char* name : {"picHolder_00", "picHolder_01", "cboBlock", "picGridColor", "chkGrid"}) {
        order << findChild<QWidget*>(QLatin1String(name));
    }
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmMain::setGameMenuEnabled(bool enabled)
{
    // A disabled menu takes its entries' shortcuts with it.
    mnuGame->setEnabled(enabled);
    mnuGame->menuAction()->setEnabled(enabled);
    for (QAction* action : {mnuCharacters, mnuGameItems, mnuGamePriceItems, mnuGameTowns}) {
        action->setEnabled(enabled);
    }
    m_editMenus->setEnabled(enabled);
    m_viewCommands->setEnabled(enabled);
    m_tools->setEnabled(enabled);
}

void frmMain::loadStarted()
{
    // Both groups are off while a load runs, so nothing is painted, scrolled
    // or chosen before it ends.
    m_frame1WasEnabled = Frame1->isEnabled();
    m_frame2WasEnabled = Frame2->isEnabled();
    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
}

void frmMain::loadEnded(bool loaded)
{
    if (loaded) {
        setGameMenuEnabled(true);
    }
    Frame1->setEnabled(loaded || m_frame1WasEnabled);
    Frame2->setEnabled(loaded || m_frame2WasEnabled);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        centre();
    }
}

void frmMain::centre()
{
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Form_Unload: the program ends at once, every window with it, without a
    // question. A drawing in progress stops at its next cell. The windows' places are kept for the next run.
    m_session.memory().setBytes(LayoutMemory::WindowGeometry, saveGeometry());
    m_session.memory().setBytes(LayoutMemory::WindowState, saveState());
    if (frmWorldMap* world = m_editMenus->worldMap(); world && world->isVisible()) {
        world->rememberPlace();
    }
    m_session.shutDown();
    event->accept();
    m_modals.endProgram();
}

void frmMain::mnuFileLoad_Click()
{
    m_session.openCartridge();
}

void frmMain::mnuFileSave_Click()
{
    m_session.save();
}

void frmMain::mnuFileQuit_Click()
{
    close();
}

void frmMain::mnuCharacters_Click()
{
    m_gameWindows->openCharacters();
}

void frmMain::mnuGameItems_Click()
{
    m_gameWindows->openItems();
}

void frmMain::mnuGamePriceItems_Click()
{
    m_gameWindows->openPrices();
}

void frmMain::mnuGameTowns_Click()
{
    m_gameWindows->openTowns();
}

void frmMain::mnuHelpHelp_Click()
{
    m_session.showHelp();
}

void frmMain::mnuHelpAbout_Click()
{
    auto* about = new frmAbout(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    m_modals.showModal(about);
}
