#include "ui/WheelScroller.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

WheelScroller::WheelScroller(QWidget* viewport, QScrollBar* vertical, QScrollBar* horizontal)
    : QObject(viewport), m_vertical(vertical), m_horizontal(horizontal)
{
    viewport->installEventFilter(this);
}

bool WheelScroller::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel) {
        return QObject::eventFilter(watched, event);
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint angle = wheel->angleDelta();
    if (wheel->modifiers() & Qt::ShiftModifier) {
        step(m_horizontal, angle.y() != 0 ? angle.y() : angle.x(), &m_restHorizontal);
    } else {
        step(m_vertical, angle.y(), &m_restVertical);
        step(m_horizontal, angle.x(), &m_restHorizontal);
    }
    return true;
}

void WheelScroller::step(QScrollBar* bar, int delta, int* rest)
{
    if (!bar || !bar->isEnabled() || delta == 0) {
        return;
    }
    // One notch (120) scrolls as many small steps as the desktop's wheel setting asks.
    *rest += delta;
    const int notches = *rest / 120;
    *rest -= notches * 120;
    if (notches != 0) {
        bar->setValue(bar->value() - notches * QApplication::wheelScrollLines() * bar->singleStep());
    }
}
