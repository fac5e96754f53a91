#pragma once

#include <QWidget>

// The main window's client area: the palette group on the left at its fixed
// width and the map group taking the rest, both as tall as the area allows.
// At its first size, 647 x 477, both stand where they always have.
class MainClient : public QWidget {
    Q_OBJECT
public:
    explicit MainClient(QWidget* parent);

    void setGroups(QWidget* left, QWidget* right);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_left = nullptr;
    QWidget* m_right = nullptr;
};
