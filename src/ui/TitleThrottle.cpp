#include "ui/TitleThrottle.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

TitleThrottle::TitleThrottle(QWidget* window) : QObject(window), m_window(window), m_text(window->windowTitle())
{
    if (const QScreen* screen = window->screen(); screen && screen->refreshRate() >= 30) {
        m_frameMs = static_cast<int>(std::floor(1000.0 / screen->refreshRate()));
    }
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &TitleThrottle::push);
}

void TitleThrottle::show(const QString& text)
{
    m_text = text;
    emit captionChanged(m_text);
    if (!m_sincePush.isValid() || m_sincePush.elapsed() >= m_frameMs) {
        push();
    } else if (!m_pending.isActive()) {
        m_pending.start(static_cast<int>(m_frameMs - m_sincePush.elapsed()));
    }
}

void TitleThrottle::showNow(const QString& text)
{
    m_text = text;
    emit captionChanged(m_text);
    push();
}

void TitleThrottle::push()
{
    m_pending.stop();
    m_window->setWindowTitle(m_text);
    m_sincePush.start();
}
