#pragma once

#include "core/Cartridge.h"
#include "core/PickState.h"

#include <QColor>
#include <QMainWindow>
#include <QPointF>
#include <QPointer>

#include <optional>

class CommonDialog;
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

    Cartridge& cartridge() { return m_cartridge; }
    PickState& pickState() { return m_pick; }
    CommonDialog& dlgMain() { return *m_dlgMain; }
    Platform& platform() { return m_platform; }

    // The state the labels show.
    int currentBlock() const { return m_currentBlock; }
    std::optional<int> currentTile() const { return m_currentTile; }
    QColor GridColor() const;
    const QImage& mapPicture() const;
    const QImage& tileStrip() const;

    // The folder holding the help file (the executable's folder unless set).
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
    void paintCell(int column, int localRow);
    void pickTile(int column, int localRow);
    void handOverLocation();
    template <typename Window> void openFreshWindow();
    template <typename Window> void openLocationWindow(QPointer<QDialog>& slot);

    Platform& m_platform;
    CommonDialog* m_dlgMain = nullptr;
    Cartridge m_cartridge;
    PickState m_pick;
    QPointer<QDialog> m_itemsWindow;
    QPointer<QDialog> m_townsWindow;
    QString m_helpFolder;

    int m_currentBlock = 1;
    std::optional<int> m_currentTile;
    quint64 m_drawGeneration = 0;
    bool m_closing = false;
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
