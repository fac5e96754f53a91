#include "FileFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FileFaults {

const QList<Fault>& All()
{
    static const QList<Fault> faults{
        {QStringLiteral("missing"), QStringLiteral("does not exist")},
        {QStringLiteral("a folder"), QStringLiteral("is a folder")},
        {QStringLiteral("short"), QStringLiteral("%1 bytes long, but at least %2 bytes are needed")},
        {QStringLiteral("folder gone"), QStringLiteral("does not exist")},
        {QStringLiteral("folder replaced by a file"), QStringLiteral("does not exist")},
        {QStringLiteral("dangling link"), QStringLiteral("which does not exist")},
    };
    return faults;
}

bool Make(const QString& path, const QString& fault, qint64 shortLength)
{
    const QString folder = QFileInfo(path).path();
    if (fault == QLatin1String("short")) {
        return QFile::resize(path, shortLength);
    }
    if (fault.startsWith(QLatin1String("folder"))) {
        QFile file(folder);
        return QDir(folder).removeRecursively() &&
               (fault == QLatin1String("folder gone") || (file.open(QIODevice::WriteOnly) && file.write("plain") == 5));
    }
    QFile::remove(path);
    return fault == QLatin1String("missing") ||
           (fault == QLatin1String("a folder") ? QDir().mkdir(path)
                                               : QFile::link(path + QStringLiteral(".gone"), path));
}

QString Reason(const QString& fault, qint64 needed)
{
    for (const Fault& f : All()) {
        if (f.name == fault) {
            return fault == QLatin1String("short") ? f.reason.arg(needed - 1).arg(needed) : f.reason;
        }
    }
    return {};
}

}  // namespace FileFaults
