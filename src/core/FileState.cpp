#include "core/FileState.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

FileState FileState::OfContents(const QByteArray& bytes, qint64 offset, qint64 length, const QDateTime& modified)
{
    FileState state;
    state.m_size = bytes.size();
    state.m_modified = modified;
    state.m_offset = offset;
    state.m_length = length;
    const qint64 available = std::clamp<qint64>(bytes.size() - offset, 0, length);
    state.m_hash = QCryptographicHash::hash(
        QByteArrayView(bytes).sliced(std::min<qint64>(offset, bytes.size()), available), QCryptographicHash::Sha1);
    return state;
}

std::optional<FileState> FileState::OfFile(const QString& path, qint64 offset, qint64 length)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    FileState state;
    state.m_size = file.size();
    state.m_modified = QFileInfo(path).lastModified();
    state.m_offset = offset;
    state.m_length = length;
    QByteArray range;
    if (offset < state.m_size) {
        if (!file.seek(offset)) {
            return std::nullopt;
        }
        range = file.read(std::min(length, state.m_size - offset));
    }
    state.m_hash = QCryptographicHash::hash(range, QCryptographicHash::Sha1);
    return state;
}
