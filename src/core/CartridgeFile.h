#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One run of bytes to put into a file at a file offset.
struct FilePatch {
    qint64 offset = 0;
    QByteArray bytes;
};

// The one door through which every byte of a cartridge file comes and goes.
// Reads name the file and the reason when they fail; patches are all or
// nothing: the whole file is read, changed in memory and written back through
// a temporary file that replaces the old one only once it is complete.
// Nothing here ever creates a file that did not exist.
class CartridgeFile {
public:
    // The length of the file, or an error (missing, a folder, unreadable).
    static std::optional<qint64> size(const QString& path, QString* error);

    // Exactly `length` bytes from `offset`; an error when the file holds fewer.
    static std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 length, QString* error);

    // Up to `length` bytes from `offset`: fewer (or none) when the file ends earlier.
    static std::optional<QByteArray> readAvailable(const QString& path, qint64 offset, qint64 length, QString* error);

    // Writes every patch or none. When `requiredLength` is set, a file shorter
    // than that is refused untouched (it was shortened since it was read).
    // A patch past the end of a file grows it, zero-filling any gap; the file
    // is never truncated. Symbolic links are followed and stay links.
    static bool patch(const QString& path, const QList<FilePatch>& patches, QString* error, qint64 requiredLength = 0);

    // "The file "<path>" is N bytes long, but M bytes are needed." and friends.
    static QString tooShortText(const QString& path, qint64 size, qint64 needed);
};
