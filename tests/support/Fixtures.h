#pragma once

#include "TestLocale.h"

#include <QByteArray>
#include <QMap>
#include <QString>

class QTemporaryDir;

// Synthetic cartridge files with known bytes, made by the test itself.
namespace Fixtures {

// `size` bytes of a repeatable pseudo-random pattern, after the iNES
// signature "NES" 1A (or as much of it as fits).
QByteArray Pattern(qint64 size, quint32 seed = 1);

// Writes `bytes` to `name` in `dir` and returns the full path.
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

// The whole file, or an empty array when it cannot be read.
QByteArray ReadAll(const QString& path);

// The offsets at which two equally long arrays differ (the first `limit` of them).
QList<qint64> Differences(const QByteArray& a, const QByteArray& b, int limit = 20);

// Every entry under `folder`: a file's bytes, a link's target, or "folder".
QMap<QString, QByteArray> Tree(const QString& folder);

}  // namespace Fixtures
