#include "ui/QtPlatform.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane II Map Editor"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/orvane.png"));
    icon.addFile(QStringLiteral(":/icons/orvane-64.png"));
    QApplication::setWindowIcon(icon);

    QtPlatform platform;
    frmMain window(platform);
    window.show();
    return app.exec();
}
