#include "ui/LimitedTextBox.h"

#include <algorithm>

LimitedTextBox::LimitedTextBox(const QString& name, int typingLimit, const QRect& geometry, QWidget* parent)
    : QLineEdit(parent), m_typingLimit(typingLimit)
{
    setObjectName(name);
    setGeometry(geometry);
    setMaxLength(typingLimit);
    connect(this, &QLineEdit::textEdited, this, &LimitedTextBox::fitLimit);
}

void LimitedTextBox::setValueText(const QString& text)
{
    setMaxLength(std::max<int>(m_typingLimit, static_cast<int>(text.size())));
    setText(text);
}

void LimitedTextBox::fitLimit()
{
    setMaxLength(std::max<int>(m_typingLimit, static_cast<int>(text().size())));
}
