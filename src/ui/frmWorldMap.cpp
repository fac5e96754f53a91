#include "ui/frmWorldMap.h"

#include "editor/EditorSession.h"
#include "ui/UiFonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

frmWorldMap::frmWorldMap(EditorSession& session, QWidget* owner) : QDialog(owner), m_session(session)
{
    setObjectName(QStringLiteral("frmWorldMap"));
    setWindowTitle(QStringLiteral("World Map"));
    m_view = new WorldView(session, this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblWorldStatus"));
    m_status->setFont(UiFonts::Arial(9));
    m_status->setContentsMargins(4, 2, 4, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);
    // The status line keeps its height when empty.
    m_status->setMinimumHeight(m_status->sizeHint().height());

    connect(&m_session, &EditorSession::toolPreviewChanged, this, &frmWorldMap::showStatus);
    connect(&m_session, &EditorSession::selectionChanged, this, &frmWorldMap::showStatus);
    connect(&m_session, &EditorSession::locationsChanged, this, &frmWorldMap::refreshMarkers);
    refreshMarkers();
    showStatus();
    resize(sizeHint());

    // The zoom of the last run; View > Reset Layout puts the first back, and the window beside the main one.
    LayoutMemory& memory = m_session.memory();
    const QList<int> zooms(WorldView::Zooms.begin(), WorldView::Zooms.end());
    if (const auto zoom = memory.number(LayoutMemory::WorldZoom, zooms)) {
        m_view->setZoom(*zoom, QPointF());
    }
    connect(m_view, &WorldView::zoomChanged, this,
            [this](int zoom) { m_session.memory().setNumber(LayoutMemory::WorldZoom, zoom); });
    connect(&m_session, &EditorSession::layoutReset, this, [this] {
        m_view->actualSize();
        resize(sizeHint());
        placeBeside(parentWidget());
    });
}

void frmWorldMap::placeAsRemembered(const QWidget* window)
{
    if (!restoreGeometry(m_session.memory().bytes(LayoutMemory::WorldGeometry))) {
        placeBeside(window);
    }
}

void frmWorldMap::rememberPlace()
{
    m_session.memory().setBytes(LayoutMemory::WorldGeometry, saveGeometry());
}

void frmWorldMap::hideEvent(QHideEvent* event)
{
    rememberPlace();
    QDialog::hideEvent(event);
}

void frmWorldMap::showStatus()
{
    const QString text = m_session.toolStatus();
    if (m_status->text() != text) {
        m_status->setText(text);
    }
}

void frmWorldMap::setViewport(int block, const QRect& visibleCells)
{
    m_view->setViewport(block, visibleCells);
}

void frmWorldMap::refreshMarkers()
{
    QList<Marker> markers;
    const QList<int> crowded = m_session.crowdedTowns();
    for (const LocationTable* table : {&m_session.itemsTable(), &m_session.townsTable()}) {
        const bool town = table->kind() == LocationTable::Kind::Towns;
        for (qsizetype i = 0; i < table->cells().size(); ++i) {
            const MapCell& cell = table->cells()[i];
            markers.append({table->name(static_cast<int>(i)), cell.column, cell.row, town,
                            town && crowded.contains(static_cast<int>(i))});
        }
    }
    m_view->setMarkers(std::move(markers));
}

void frmWorldMap::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_session.cancel()) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmWorldMap::placeBeside(const QWidget* window)
{
    // Beside the main window, on the side with room; narrowed to the room
    // there when it is wider; never over the main window's menus, which
    // stand at its left.
    constexpr int Gap = 8;
    constexpr int Narrowest = 256;
    const QRect main = window->frameGeometry();
    const QRect screen = window->screen() ? window->screen()->availableGeometry() : main;
    const int frame = frameGeometry().width() - width();
    const int right = screen.right() - main.right() - Gap;
    const int left = main.left() - screen.left() - Gap;
    int outer = frameGeometry().width();
    if (outer > right && outer > left && std::max(left, right) >= Narrowest) {
        outer = std::max(left, right);
        resize(outer - frame, height());
    }
    if (outer <= right) {
        move(main.right() + Gap, main.top());
    } else if (outer <= left) {
        move(main.left() - Gap - outer, main.top());
    } else {
        move(screen.right() - outer, main.top());
    }
}
