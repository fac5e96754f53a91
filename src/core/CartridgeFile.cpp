#include "core/CartridgeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void setError(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
}

// Checks that `path` names an existing regular file (links followed).
bool checkIsFile(const QString& path, QString* error)
{
    if (path.isEmpty()) {
        setError(error, QStringLiteral("No file name was given."));
        return false;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        if (info.isSymLink()) {
            setError(error, QStringLiteral("The file \"%1\" is a link to \"%2\", which does not exist.")
                                .arg(path, info.symLinkTarget()));
        } else {
            setError(error, QStringLiteral("The file \"%1\" does not exist.").arg(path));
        }
        return false;
    }
    if (info.isDir()) {
        setError(error, QStringLiteral("\"%1\" is a folder, not a file.").arg(path));
        return false;
    }
    if (!info.isFile()) {
        setError(error, QStringLiteral("\"%1\" is not a regular file.").arg(path));
        return false;
    }
    return true;
}

bool openForReading(QFile& file, QString* error)
{
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("The file \"%1\" could not be opened for reading: %2.")
                            .arg(file.fileName(), file.errorString()));
        return false;
    }
    return true;
}

std::optional<QByteArray> readRange(const QString& path, qint64 offset, qint64 length, bool exact, QString* error)
{
    if (!checkIsFile(path, error)) {
        return std::nullopt;
    }
    QFile file(path);
    if (!openForReading(file, error)) {
        return std::nullopt;
    }
    const qint64 size = file.size();
    if (exact && size < offset + length) {
        setError(error, CartridgeFile::tooShortText(path, size, offset + length));
        return std::nullopt;
    }
    QByteArray bytes;
    if (offset < size) {
        if (!file.seek(offset)) {
            setError(error, QStringLiteral("The file \"%1\" could not be read: %2.").arg(path, file.errorString()));
            return std::nullopt;
        }
        bytes = file.read(std::min(length, size - offset));
        if (bytes.size() != std::min(length, size - offset)) {
            setError(error, QStringLiteral("The file \"%1\" could not be read: %2.").arg(path, file.errorString()));
            return std::nullopt;
        }
    }
    return bytes;
}

}  // namespace

QString CartridgeFile::tooShortText(const QString& path, qint64 size, qint64 needed)
{
    return QStringLiteral("The file \"%1\" is %2 bytes long, but at least %3 bytes are needed.")
        .arg(path)
        .arg(size)
        .arg(needed);
}

std::optional<qint64> CartridgeFile::size(const QString& path, QString* error)
{
    if (!checkIsFile(path, error)) {
        return std::nullopt;
    }
    QFile file(path);
    if (!openForReading(file, error)) {
        return std::nullopt;
    }
    return file.size();
}

std::optional<QByteArray> CartridgeFile::read(const QString& path, qint64 offset, qint64 length, QString* error)
{
    return readRange(path, offset, length, true, error);
}

std::optional<QByteArray> CartridgeFile::readAvailable(const QString& path, qint64 offset, qint64 length,
                                                       QString* error)
{
    return readRange(path, offset, length, false, error);
}

bool CartridgeFile::patch(const QString& path, const QList<FilePatch>& patches, QString* error, qint64 requiredLength)
{
    if (!checkIsFile(path, error)) {
        return false;
    }
    // Write to the link's target, so a symbolic link stays a link.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : path;

    QByteArray contents;
    {
        QFile file(target);
        if (!openForReading(file, error)) {
            return false;
        }
        contents = file.readAll();
        if (contents.size() != file.size()) {
            setError(error, QStringLiteral("The file \"%1\" could not be read: %2.").arg(path, file.errorString()));
            return false;
        }
    }
    if (contents.size() < requiredLength) {
        setError(error, tooShortText(path, contents.size(), requiredLength));
        return false;
    }
    for (const FilePatch& p : patches) {
        if (p.offset < 0) {
            setError(error, QStringLiteral("Refused to write before the start of \"%1\".").arg(path));
            return false;
        }
        const qint64 end = p.offset + p.bytes.size();
        if (end > contents.size()) {
            contents.append(QByteArray(end - contents.size(), '\0'));
        }
        std::copy(p.bytes.cbegin(), p.bytes.cend(), contents.begin() + p.offset);
    }

    QSaveFile out(target);
    // Only a folder that cannot take a temporary file falls back to writing in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error,
                 QStringLiteral("The file \"%1\" could not be opened for writing: %2.").arg(path, out.errorString()));
        return false;
    }
    if (out.write(contents) != contents.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        setError(error, QStringLiteral("The file \"%1\" could not be written: %2.").arg(path, reason));
        return false;
    }
    if (!out.commit()) {
        setError(error, QStringLiteral("The file \"%1\" could not be written: %2.").arg(path, out.errorString()));
        return false;
    }
    return true;
}
