#include "ui/ValueLabel.h"

#include "ui/UiFonts.h"

#include <QLabel>

QLabel* MakeValueLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                       const QFont& font, const QString& field)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleDescription(field);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, Qt::white);
        palette.setColor(group, QPalette::WindowText, QColor(64, 64, 64));
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    label->setPalette(palette);
    label->setStyleSheet(QStringLiteral("QLabel { color: black; }"));
    return label;
}

QLabel* MakeCaption(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(UiFonts::Arial(8.25));
    label->move(x, y);
    label->adjustSize();
    return label;
}
