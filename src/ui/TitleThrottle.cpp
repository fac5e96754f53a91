#include "ui/TitleThrottle.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

TitleThrottle::TitleThrottle(QWidget* window, std::function<QString()> caption)
    : QObject(window), m_window(window), m_caption(std::move(caption))
{
    if (const QScreen* screen = window->screen(); screen && screen->refreshRate() >= 30) {
        m_frameMs = static_cast<int>(std::floor(1000.0 / screen->refreshRate()));
    }
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &TitleThrottle::push);
}

void TitleThrottle::show()
{
    if (m_pending.isActive()) {
        return;  // the frame's push is due: it sends the caption of that moment
    }
    if (!m_sincePush.isValid() || m_sincePush.elapsed() >= m_frameMs) {
        push();
    } else {
        m_pending.start(static_cast<int>(m_frameMs - m_sincePush.elapsed()));
    }
}

void TitleThrottle::showNow()
{
    push();
}

void TitleThrottle::push()
{
    m_pending.stop();
    m_window->setWindowTitle(m_caption());
    m_sincePush.start();
}
