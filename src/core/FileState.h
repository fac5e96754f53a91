#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// What a file looked like at one moment: its length, its modification time
// and a hash of one range of its bytes (for a cartridge, the map). Two states
// hold the same content when the length and the hash agree; the time only
// tells the user when the file changed, so a file merely touched is not taken
// as changed.
class FileState {
public:
    FileState() = default;

    // The state of `bytes` (a whole file) with the range [offset, offset + length) hashed.
    static FileState OfContents(const QByteArray& bytes, qint64 offset, qint64 length, const QDateTime& modified);
    // The state of the file on disk now, or nothing when it cannot be read.
    static std::optional<FileState> OfFile(const QString& path, qint64 offset, qint64 length);

    bool sameContent(const FileState& other) const { return m_size == other.m_size && m_hash == other.m_hash; }

    qint64 size() const { return m_size; }
    const QDateTime& modified() const { return m_modified; }
    qint64 rangeOffset() const { return m_offset; }
    qint64 rangeLength() const { return m_length; }

private:
    qint64 m_size = 0;
    QDateTime m_modified;
    QByteArray m_hash;
    qint64 m_offset = 0;
    qint64 m_length = 0;
};
