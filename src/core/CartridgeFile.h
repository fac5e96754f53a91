#pragma once

#include "core/FileState.h"

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
// Nothing here ever creates a file that did not exist, except the backup:
// before the first write to a cartridge, the file as it is on disk is copied
// to its name with ".bak" appended (beside the real file when the name is a
// link), and an existing backup is never replaced, so it keeps the oldest
// state the program saw. A write whose backup cannot be made is not done.
//
// The door also remembers a file's state (see FileState) when asked to, at a
// load, so a later save can tell when another program changed the file. Its
// own writes move that memory along, so they never count as such a change.
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

    // The whole file as patch() would leave it, without writing anything.
    static std::optional<QByteArray> patched(const QString& path, const QList<FilePatch>& patches, QString* error);

    // The whole file.
    static std::optional<QByteArray> readAll(const QString& path, QString* error);

    // Replaces the whole file with `contents`, which may be shorter than the
    // file (an applied patch); the same backup and all-or-nothing write as patch().
    static bool replace(const QString& path, const QByteArray& contents, QString* error);

    // "<real file>.bak".
    static QString backupPath(const QString& path);

    // Remembers the file's state now, hashing [offset, offset + length).
    static void rememberState(const QString& path, qint64 offset, qint64 length);
    enum class Change { Unchanged, Changed, Unknown };
    // Compares the file on disk with the remembered state; Unknown when there
    // is none or the file cannot be read. `now` receives the state on disk.
    static Change changeSinceRemembered(const QString& path, FileState* now = nullptr);

    // "The file "<path>" is N bytes long, but M bytes are needed." and friends.
    static QString tooShortText(const QString& path, qint64 size, qint64 needed);
};
