#include "ui/MapPanel.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "editor/EditorSession.h"
#include "ui/MapView.h"
#include "ui/PictureBox.h"
#include "ui/UiFonts.h"
#include "ui/ValueLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

MapPanel::MapPanel(EditorSession& session, QWidget* parent) : QGroupBox(parent), m_session(session)
{
    setObjectName(QStringLiteral("Frame2"));
    setGeometry(160, 8, 481, 465);
    setEnabled(false);  // nothing to draw before a cartridge is loaded

    m_view = new MapView(session, this);
    m_view->setGeometry(8, 16, 465, 401);
    picMap = m_view->picture();
    connect(m_view, &MapView::scrolled, this, &MapPanel::viewportChanged);

    m_bottomRow << MakeCaption(this, QStringLiteral("Block:"), 16, 432);
    cboBlock = new QComboBox(this);
    cboBlock->setObjectName(QStringLiteral("cboBlock"));
    cboBlock->setEditable(false);
    cboBlock->move(48, 432);
    cboBlock->setFixedWidth(121);
    for (int block = 1; block <= MapCell::Blocks; ++block) {
        cboBlock->addItem(QStringLiteral("%1-Block #%1").arg(block));
    }
    cboBlock->setCurrentIndex(-1);
    connect(cboBlock, &QComboBox::activated, this, &MapPanel::cboBlock_Click);

    m_bottomRow << cboBlock << MakeCaption(this, QStringLiteral("Current Block:"), 184, 432);
    lblBlock = MakeValueLabel(this, QStringLiteral("lblBlock"), QStringLiteral("1"), QRect(256, 432, 25, 17),
                              UiFonts::Arial(9), QStringLiteral("Current block"));
    m_bottomRow << lblBlock << MakeCaption(this, QStringLiteral("Grid Color:"), 296, 432);
    picGridColor = new PictureBox(QStringLiteral("picGridColor"), QSize(49, 17), this);
    picGridColor->move(360, 432);
    picGridColor->clear(m_session.GridColor());
    connect(picGridColor, &PictureBox::pressed, this, &MapPanel::picGridColor_Click);
    picGridColor->setFocusPolicy(Qt::StrongFocus);
    picGridColor->setAccessibleDescription(QStringLiteral("Space or Enter chooses the grid color"));
    picGridColor->installEventFilter(this);

    chkGrid = new QCheckBox(QStringLiteral("Grid"), this);
    chkGrid->setObjectName(QStringLiteral("chkGrid"));
    chkGrid->setGeometry(432, 432, 41, 17);
    chkGrid->setChecked(m_session.isGridShown());
    connect(chkGrid, &QCheckBox::toggled, &m_session, &EditorSession::setGridShown);
    connect(&m_session, &EditorSession::layoutReset, chkGrid, [this] { chkGrid->setChecked(m_session.isGridShown()); });
    m_bottomRow << picGridColor << chkGrid;

    connect(&m_session, &EditorSession::blockChosen, this, &MapPanel::showBlock);
    connect(&m_session, &EditorSession::gridChanged, this, &MapPanel::showGridColor);
}

void MapPanel::resizeEvent(QResizeEvent*)
{
    // The viewport takes what the group gains; the row below it stays below it.
    m_view->setGeometry(8, 16, width() - 16, height() - 64);
    for (QWidget* widget : std::as_const(m_bottomRow)) {
        widget->move(widget->x(), height() - 33);
    }
}

void MapPanel::cboBlock_Click()
{
    const QString entry = cboBlock->currentText();
    if (!entry.isEmpty()) {
        // The entry's first character is its block's digit.
        m_session.selectBlock(entry.left(1).toInt());
    }
}

void MapPanel::showBlock(int block)
{
    cboBlock->setCurrentIndex(block - 1);
    lblBlock->setText(MapGeometry::BlockLabel(block));
    emit viewportChanged();
    // During a load the picture is drawn out of sight, so it is never seen half done.
    const bool loading = m_session.isLoading();
    if (loading) {
        picMap->move(picMap->x(), 5000);
    }
    DrawBlock(m_session.BlockStartOffset(block));
    if (loading && !m_session.isClosing()) {
        picMap->move(picMap->x(), 0);
    }
}

void MapPanel::DrawBlock(qint32 start)
{
    // The session draws into the picture, yielding after each cell; the screen shows it once complete.
    if (m_session.DrawBlock(start, picMap->backing())) {
        picMap->refresh();
    }
}

void MapPanel::DrawGrid()
{
    TileRaster::DrawGrid(picMap->backing(), m_session.GridColor());
    picMap->refresh();
}

bool MapPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picGridColor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            picGridColor_Click();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void MapPanel::picGridColor_Click()
{
    m_session.picGridColor_Click();
}

void MapPanel::showGridColor()
{
    picGridColor->clear(m_session.GridColor());
    picGridColor->refresh();
    DrawGrid();
}
