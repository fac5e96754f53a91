#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

// The caption of a window during long work. Every text given becomes the
// caption at once (text(), captionChanged), but the window system receives it
// at most once per screen frame: on X each title change is a round of
// properties sent to the server, and a block drawing changes it 8192 times.
// The last text given always reaches the window, and show() of a final text
// sends it at once.
class TitleThrottle : public QObject {
    Q_OBJECT
public:
    explicit TitleThrottle(QWidget* window);

    const QString& text() const { return m_text; }

    // A progress text: on screen within a frame.
    void show(const QString& text);
    // A text that ends or begins a piece of work: on screen now.
    void showNow(const QString& text);

signals:
    void captionChanged(const QString& text);

private:
    void push();

    QWidget* m_window;
    QString m_text;
    QElapsedTimer m_sincePush;
    QTimer m_pending;
    int m_frameMs = 16;
};
