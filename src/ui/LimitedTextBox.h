#pragma once

#include <QLineEdit>

// A text box that takes at most `typingLimit` typed characters but shows a
// longer value put in by the program whole; such a value can be shortened,
// and grows again only up to its current length or the limit.
class LimitedTextBox : public QLineEdit {
    Q_OBJECT
public:
    LimitedTextBox(const QString& name, int typingLimit, const QRect& geometry, QWidget* parent);

    void setValueText(const QString& text);

private:
    void fitLimit();

    int m_typingLimit;
};
