#pragma once

#include "core/MapDocument.h"
#include "core/PickState.h"
#include "ui/FileMenuCommands.h"

#include <QColor>
#include <QMainWindow>
#include <QPoint>
#include <QPointF>
#include <QPointer>

#include <optional>

class MapEditMenus;
class MapView;
class TitleThrottle;

class CommonDialog;
class DesktopIntegration;
class ExternalChangeWatcher;
class LocationPickTarget;
class PictureBox;
class Platform;
class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QScrollBar;
class ShapeOutline;

// The main window: the tile palette and readouts on the left, the map of one
// block on the right, and the menus from which every other window is reached.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    static QString Title();  // "Orvane II: The Seeker's Crown Map Editor v1.0"

    Cartridge& cartridge() { return m_doc.cartridge(); }
    MapDocument& document() { return m_doc; }
    PickState& pickState() { return m_pick; }
    CommonDialog& dlgMain() { return *m_dlgMain; }
    Platform& platform() { return m_platform; }

    // The state the labels show.
    int currentBlock() const { return m_doc.currentBlock(); }
    std::optional<int> currentTile() const { return m_currentTile; }
    QColor GridColor() const;
    const QImage& mapPicture() const;
    const QImage& tileStrip() const;
    // The caption as the program last set it; the window system may show it
    // up to a frame later during a block drawing.
    const QString& caption() const;
    MapEditMenus& editMenus() { return *m_editMenus; }

    // The executable's folder, where the help file is looked for (and at the
    // install location relative to it).
    void setHelpFolder(const QString& folder) { m_helpFolder = folder; }

    // Steps of the load after the open dialog: check the file, rebuild the
    // strip, read the image, draw block 1, select tile 0, enable the editor.
    void LoadRom(const QString& path);
    bool LoadCartridge(const QString& path);
    void BuildTileStrip();
    // Draws the block starting at image index `start`, cell by cell, showing
    // the progress in the caption. A newer drawing (or closing the window)
    // stops an older one at once.
    void DrawBlock(qint32 start);
    void DrawGrid();
    void SelectTile(double y);
    // 16400 + (block - 1) * 16384, or the "Fatal Error!" message and 0.
    qint32 BlockStartOffset(int block);

    void picMap_MouseMove(Qt::MouseButtons buttons, QPointF position);
    void picMap_MouseDown(Qt::MouseButton button, QPointF position);
    void picTileset_MouseDown(QPointF position);

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
    void cboBlock_Click();
    void picGridColor_Click();
    void hsMap_Change(int value);
    void vsMap_Change(int value);
    void vsTiles_Change(int value);

public:
    // True while the map holds edits that "Save Changes" has not written.
    bool hasUnsavedMapEdits() const { return m_doc.isModified(); }
    ExternalChangeWatcher& fileWatcher() { return m_fileCommands->watcher(); }
    // Files beside the cartridge (File menu, after "Save Changes").
    FileMenuCommands& fileCommands() { return *m_fileCommands; }

signals:
    // Every caption the program sets, progress included.
    void captionChanged(const QString& caption);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildLeftGroup();
    void buildRightGroup();
    void setGameMenuEnabled(bool enabled);
    // Marker and readouts follow the cell under the pointer; false when the
    // position lies outside the block's picture.
    bool followPointer(QPointF position, int* column, int* localRow);
    void pickTile(int column, int localRow);
    void handOverLocation();
    template <typename Window> void openFreshWindow();
    template <typename Window> void openLocationWindow(QPointer<QDialog>& slot);

    Platform& m_platform;
    CommonDialog* m_dlgMain = nullptr;
    MapDocument m_doc;
    TitleThrottle* m_caption = nullptr;
    MapView* m_mapView = nullptr;
    MapEditMenus* m_editMenus = nullptr;
    PickState m_pick;
    QPointer<QDialog> m_itemsWindow;
    QPointer<QDialog> m_townsWindow;
    QString m_helpFolder;
    // Recent files, drops and the help window.
    DesktopIntegration* m_desktop = nullptr;

    std::optional<int> m_currentTile;
    std::optional<QPoint> m_pointerCell;  // the cell under the pointer, for the replace window

    quint64 m_drawGeneration = 0;
    bool m_closing = false;
    bool m_centred = false;
    FileMenuCommands* m_fileCommands = nullptr;

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

    QGroupBox* Frame1 = nullptr;
    QScrollBar* vsTiles = nullptr;
    QWidget* picHolder_00 = nullptr;
    PictureBox* picTileset = nullptr;
    ShapeOutline* shpPoint = nullptr;
    QLabel* lblTile = nullptr;
    PictureBox* picTileZoom = nullptr;
    QLabel* lblPoint = nullptr;
    QLabel* lblLon = nullptr;
    QLabel* lblLat = nullptr;

    QGroupBox* Frame2 = nullptr;
    QWidget* picHolder_01 = nullptr;
    PictureBox* picMap = nullptr;
    ShapeOutline* shpMap = nullptr;
    QScrollBar* vsMap = nullptr;
    QScrollBar* hsMap = nullptr;
    QComboBox* cboBlock = nullptr;
    QLabel* lblBlock = nullptr;
    PictureBox* picGridColor = nullptr;
    QCheckBox* chkGrid = nullptr;
};
