#include "core/FileSetWriter.h"

#include <QFile>
#include <QSaveFile>

#include <memory>
#include <optional>
#include <vector>

namespace {

bool fail(QString* error, const QString& path, const QString& reason)
{
    if (error) {
        *error = QStringLiteral("The file \"%1\" could not be written: %2.").arg(path, reason);
    }
    return false;
}

// Writes `contents` over `path` through a temporary file; false when that failed.
bool writeWhole(const QString& path, const QByteArray& contents)
{
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(contents) == contents.size() && out.flush() && out.commit();
}

}  // namespace

FileSetWriter::~FileSetWriter() = default;

bool FileSetWriter::putInPlace(QSaveFile& file)
{
    return file.commit();
}

void FileSetWriter::add(const QString& path, const QByteArray& contents)
{
    m_files.append({path, contents});
}

bool FileSetWriter::commit(QString* error)
{
    // Every file into its temporary file, flushed (a commit does not report
    // a failed last flush: the file would be cut short); a failure here has
    // changed nothing (an uncommitted QSaveFile removes its temporary file).
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const Entry& file : m_files) {
        auto out = std::make_unique<QSaveFile>(file.path);
        if (!out->open(QIODevice::WriteOnly) || out->write(file.contents) != file.contents.size() || !out->flush()) {
            return fail(error, file.path, out->errorString());
        }
        pending.push_back(std::move(out));
    }
    // What each file held before, to put it back should a later file fail.
    std::vector<std::optional<QByteArray>> before;
    for (const Entry& file : m_files) {
        QFile existing(file.path);
        if (!existing.exists()) {
            before.emplace_back();
            continue;
        }
        if (!existing.open(QIODevice::ReadOnly)) {
            return fail(error, file.path, existing.errorString());
        }
        before.emplace_back(existing.readAll());
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (putInPlace(*pending[i])) {
            continue;
        }
        const QString reason = pending[i]->errorString();
        for (std::size_t j = 0; j < i; ++j) {
            const QString& path = m_files[static_cast<qsizetype>(j)].path;
            if (before[j] ? !writeWhole(path, *before[j]) : !QFile::remove(path)) {
                return fail(error, m_files[static_cast<qsizetype>(i)].path,
                            QStringLiteral("%1; \"%2\" could not be put back as it was").arg(reason, path));
            }
        }
        return fail(error, m_files[static_cast<qsizetype>(i)].path, reason);
    }
    return true;
}
