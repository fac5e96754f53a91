#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

// The caption of a window during long work. The window system receives it
// at most once per screen frame: on X each title change is a round of
// properties sent to the server, and a block drawing changes the caption 8192
// times. The text is asked of `caption` only when it is sent, so a drawing's
// progress text is made once a frame, not once a cell. The last caption
// always reaches the window, and showNow() sends it at once.
class TitleThrottle : public QObject {
    Q_OBJECT
public:
    TitleThrottle(QWidget* window, std::function<QString()> caption);

    // The caption changed during long work: on screen within a frame.
    void show();
    // The caption changed at the start or the end of a piece of work: on screen now.
    void showNow();

private:
    void push();

    QWidget* m_window;
    std::function<QString()> m_caption;
    QElapsedTimer m_sincePush;
    QTimer m_pending;
    int m_frameMs = 16;
};
