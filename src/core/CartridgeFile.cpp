#include "core/CartridgeFile.h"

#include "core/NumberText.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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
    return QStringLiteral("The file \"%1\" is %2 long, but at least %3 bytes are needed.")
        .arg(path, NumberText::Counted(size, QStringLiteral("%1 byte"), QStringLiteral("%1 bytes")))
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

namespace {

// The remembered states, by the real file's path.
QHash<QString, FileState>& rememberedStates()
{
    static QHash<QString, FileState> states;
    return states;
}

QString realPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The file a write goes to: a symbolic link's target, so the link stays a link.
QString writeTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.canonicalFilePath() : path;
}

std::optional<QByteArray> readWhole(const QString& path, QString* error)
{
    if (!checkIsFile(path, error)) {
        return std::nullopt;
    }
    QFile file(writeTarget(path));
    if (!openForReading(file, error)) {
        return std::nullopt;
    }
    QByteArray contents = file.readAll();
    if (contents.size() != file.size()) {
        setError(error, QStringLiteral("The file \"%1\" could not be read: %2.").arg(path, file.errorString()));
        return std::nullopt;
    }
    return contents;
}

// Copies `contents` (the file as it is on disk) to "<target>.bak" unless
// something of that name exists. Written under a temporary name and renamed
// without replacing, so a backup is either whole or absent.
bool ensureBackup(const QString& target, const QByteArray& contents, QString* error)
{
    const QString backup = CartridgeFile::backupPath(target);
    const QFileInfo existing(backup);
    if (existing.exists() || existing.isSymLink()) {
        return true;
    }
    const auto failed = [&](const QString& reason) {
        setError(error,
                 QStringLiteral("The backup \"%1\" of \"%2\" could not be made: %3.").arg(backup, target, reason));
        return false;
    };
    QTemporaryFile temporary(backup + QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        return failed(temporary.errorString());
    }
    if (temporary.write(contents) != contents.size() || !temporary.flush()) {
        return failed(temporary.errorString());
    }
#ifdef Q_OS_UNIX
    if (::fsync(temporary.handle()) != 0) {
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    }
#endif
    temporary.setPermissions(QFile::permissions(target));
    if (!temporary.rename(backup)) {
        if (QFileInfo::exists(backup)) {
            return true;  // made meanwhile by another instance: it is older than ours
        }
        return failed(temporary.errorString());
    }
    temporary.setAutoRemove(false);
    return true;
}

// Writes `after` over the file that held `before`: backup first, then a
// temporary file that replaces it once complete. The remembered state moves
// along when the file was as remembered before this write.
bool writeWhole(const QString& path, const QByteArray& before, const QByteArray& after, QString* error)
{
    const QString target = writeTarget(path);
    if (!QFileInfo(target).isWritable()) {
        setError(error, QStringLiteral("The file \"%1\" could not be opened for writing: it is read-only or not "
                                       "permitted.")
                            .arg(path));
        return false;
    }
    if (!ensureBackup(target, before, error)) {
        return false;
    }

    QSaveFile out(target);
    // Only a folder that cannot take a temporary file falls back to writing in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error,
                 QStringLiteral("The file \"%1\" could not be opened for writing: %2.").arg(path, out.errorString()));
        return false;
    }
    if (out.write(after) != after.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        setError(error, QStringLiteral("The file \"%1\" could not be written: %2.").arg(path, reason));
        return false;
    }
    // A commit does not report a failed last flush (the file would be cut short): flushed first.
    if (!out.flush() || !out.commit()) {
        setError(error, QStringLiteral("The file \"%1\" could not be written: %2.").arg(path, out.errorString()));
        return false;
    }

    auto remembered = rememberedStates().find(realPath(target));
    if (remembered != rememberedStates().end()) {
        const qint64 offset = remembered->rangeOffset();
        const qint64 length = remembered->rangeLength();
        if (remembered->sameContent(FileState::OfContents(before, offset, length, {}))) {
            *remembered = FileState::OfContents(after, offset, length, QFileInfo(target).lastModified());
        }
    }
    return true;
}

}  // namespace

QString CartridgeFile::backupPath(const QString& path)
{
    return writeTarget(path) + QStringLiteral(".bak");
}

std::optional<QByteArray> CartridgeFile::readAll(const QString& path, QString* error)
{
    return readWhole(path, error);
}

bool CartridgeFile::replace(const QString& path, const QByteArray& contents, QString* error)
{
    const auto before = readWhole(path, error);
    return before && writeWhole(path, *before, contents, error);
}

void CartridgeFile::rememberState(const QString& path, qint64 offset, qint64 length)
{
    if (const auto state = FileState::OfFile(path, offset, length)) {
        rememberedStates().insert(realPath(path), *state);
    }
}

CartridgeFile::Change CartridgeFile::changeSinceRemembered(const QString& path, FileState* now)
{
    const auto remembered = rememberedStates().constFind(realPath(path));
    if (remembered == rememberedStates().cend()) {
        return Change::Unknown;
    }
    const auto state = FileState::OfFile(path, remembered->rangeOffset(), remembered->rangeLength());
    if (!state) {
        return Change::Unknown;
    }
    if (now) {
        *now = *state;
    }
    return state->sameContent(*remembered) ? Change::Unchanged : Change::Changed;
}

namespace {

// `before` with every patch put in; a patch past its end grows it, zero-filling any gap.
std::optional<QByteArray> withPatches(const QString& path, const QByteArray& before, const QList<FilePatch>& patches,
                                      QString* error, qint64 requiredLength)
{
    if (before.size() < requiredLength) {
        setError(error, CartridgeFile::tooShortText(path, before.size(), requiredLength));
        return std::nullopt;
    }
    QByteArray contents = before;
    for (const FilePatch& p : patches) {
        if (p.offset < 0) {
            setError(error, QStringLiteral("Refused to write before the start of \"%1\".").arg(path));
            return std::nullopt;
        }
        const qint64 end = p.offset + p.bytes.size();
        if (end > contents.size()) {
            contents.append(QByteArray(end - contents.size(), '\0'));
        }
        std::copy(p.bytes.cbegin(), p.bytes.cend(), contents.begin() + p.offset);
    }
    return contents;
}

}  // namespace

bool CartridgeFile::patch(const QString& path, const QList<FilePatch>& patches, QString* error, qint64 requiredLength)
{
    const auto before = readWhole(path, error);
    if (!before) {
        return false;
    }
    const auto after = withPatches(path, *before, patches, error, requiredLength);
    return after && writeWhole(path, *before, *after, error);
}

std::optional<QByteArray> CartridgeFile::patched(const QString& path, const QList<FilePatch>& patches, QString* error)
{
    const auto before = readWhole(path, error);
    if (!before) {
        return std::nullopt;
    }
    return withPatches(path, *before, patches, error, 0);
}
