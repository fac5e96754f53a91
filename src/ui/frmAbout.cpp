#include "ui/frmAbout.h"

#include "ui/UiFonts.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Orvane II Map Editor v1.0"));
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

    auto* lblAbout = new QLabel(QStringLiteral("Orvane II Map Editor v1.0"), this);
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
}

QString frmAbout::Credits()
{
    return QStringLiteral(
        "Edits the overworld, towns, items, balloon, prices and classes of \"Orvane II: The Seeker's Crown\". "
        "Code and pictures by the Orvane editor developers.\n"
        "Found a bug? Please report it. Want more of the game's data to be editable? Ask for it, and we "
        "will try to add it.\n"
        "\n"
        "Web: https://orvane-editor.example/\n"
        "Mail: orvane-editor@users.noreply.example");
}
