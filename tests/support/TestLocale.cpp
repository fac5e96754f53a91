#include "TestLocale.h"

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>

namespace TestLocale {

void PinC()
{
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

bool UseDecimalComma(const QTemporaryDir& dir, QString* why)
{
    QProcess localedef;
    localedef.setProcessChannelMode(QProcess::MergedChannels);
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                     dir.filePath(QStringLiteral("de_DE.UTF-8"))});
    if (!localedef.waitForFinished(60000) || localedef.exitStatus() != QProcess::NormalExit) {
        *why = QStringLiteral("localedef could not run: ") + localedef.errorString();
        return false;
    }
    ::setenv("LOCPATH", qPrintable(dir.path()), 1);
    const bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    if (!switched || *std::localeconv()->decimal_point != ',') {
        *why = QStringLiteral("no decimal-comma locale could be made (localedef: %1)")
                   .arg(QString::fromLocal8Bit(localedef.readAll()).trimmed());
        PinC();
        return false;
    }
    return true;
}

}  // namespace TestLocale
