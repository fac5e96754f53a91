#include "ui/SideWindow.h"

#include "ui/Twips.h"
#include "ui/UiFonts.h"

#include <QDialog>
#include <QFrame>

namespace SideWindow {

void SetUp(QDialog* window, const QString& name, const QString& title, int widthTwips, int heightTwips)
{
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    window->setFont(UiFonts::Arial(8.25));
    window->setFixedSize(Twips::ToPixels(widthTwips), Twips::ToPixels(heightTwips));
}

QFrame* AddRule(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2)
{
    auto* rule = new QFrame(parent);
    rule->setObjectName(name);
    rule->setFrameShape(QFrame::NoFrame);
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, Qt::black);
    rule->setPalette(palette);
    const int left = Twips::ToPixels(x1);
    const int top = Twips::ToPixels(y1);
    rule->setGeometry(left, top, Twips::ToPixels(x2) - left + 1, Twips::ToPixels(y2) - top + 1);
    return rule;
}

}  // namespace SideWindow
