#include "Fixtures.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

namespace Fixtures {

QByteArray Pattern(qint64 size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    quint32 state = seed * 2654435761U + 12345U;
    for (qint64 i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = static_cast<char>(state >> 24);
    }
    // A cartridge's iNES signature, as the editor expects of a file it loads.
    bytes.replace(0, std::min<qint64>(size, 4), QByteArray("NES\x1A", 4).left(size));
    return bytes;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write fixture %s", qPrintable(path));
    }
    return path;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QList<qint64> Differences(const QByteArray& a, const QByteArray& b, int limit)
{
    QList<qint64> at;
    const qint64 n = std::max(a.size(), b.size());
    for (qint64 i = 0; i < n && at.size() < limit; ++i) {
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) {
            at << i;
        }
    }
    return at;
}

QMap<QString, QByteArray> Tree(const QString& folder)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        tree.insert(path, info.isSymLink() ? info.symLinkTarget().toUtf8()
                          : info.isDir()   ? QByteArray("folder")
                                           : ReadAll(path));
    }
    return tree;
}

}  // namespace Fixtures
