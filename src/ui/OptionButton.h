#pragma once

#include <QToolButton>

// A picture button that is one of a group of options (the class buttons of
// the characters window): checkable, one checked at a time, and announced to
// screen readers as the option (radio) button it is, with its checked state.
class OptionButton : public QToolButton {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* parent);
};
