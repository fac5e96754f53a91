#include "ui/frmAbout.h"

#include "core/ProgramInfo.h"
#include "ui/UiFonts.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + QLatin1String(ProgramInfo::VersionedName));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(355, 192);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::Base, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    black.setColor(QPalette::Text, Qt::white);
    setPalette(black);

    auto* imgAbout = new QLabel(this);
    imgAbout->setObjectName(QStringLiteral("imgAbout"));
    imgAbout->setGeometry(12, 12, 32, 32);
    imgAbout->setPixmap(QIcon(QStringLiteral(":/icons/orvane.png")).pixmap(32, 32));
    imgAbout->setAccessibleName(QStringLiteral("Program icon"));

    auto* lblAbout = new QLabel(QLatin1String(ProgramInfo::VersionedName), this);
    lblAbout->setObjectName(QStringLiteral("lblAbout"));
    lblAbout->setFont(UiFonts::Arial(15.75, true));
    lblAbout->setGeometry(56, 12, 290, 32);
    lblAbout->setPalette(black);

    auto* txtAbout = new QPlainTextEdit(Credits(), this);
    txtAbout->setObjectName(QStringLiteral("txtAbout"));
    txtAbout->setReadOnly(true);
    txtAbout->setAccessibleName(QStringLiteral("Credits and contacts"));
    txtAbout->setFrameShape(QFrame::NoFrame);
    txtAbout->setFont(UiFonts::Condensed(9.75));
    txtAbout->setPalette(black);
    txtAbout->setGeometry(12, 52, 331, 132);
    txtAbout->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtAbout->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    if (owner) {
        // Centred over the owner. The toolkit's own placement guesses the
        // frame of a window not yet shown; this one takes the frame of the
        // owner, which the same desktop draws alike.
        const QRect outer = owner->frameGeometry();
        const QRect inner = owner->geometry();
        QRect frame(QPoint(0, 0),
                    size().grownBy(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                            outer.right() - inner.right(), outer.bottom() - inner.bottom())));
        frame.moveCenter(outer.center());
        move(frame.topLeft());
    }
}

QString frmAbout::Credits()
{
    return QStringLiteral(
               "Edits the overworld, towns, items, balloon, prices and classes of \"%1\". "
               "Code and pictures by the Orvane editor developers.\n"
               "Found a bug? Please report it. Want more of the game's data to be editable? Ask for it, and we "
               "will try to add it.\n"
               "\n"
               "Web: https://orvane-editor.example/\n"
               "Mail: orvane-editor@users.noreply.example")
        .arg(QLatin1String(ProgramInfo::GameTitle));
}
