#include "core/TiledMapReader.h"

#include "core/CsvMapReader.h"
#include "core/JsonMapReader.h"
#include "core/TmxMapReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TiledMapReader {

namespace {

constexpr qint64 MaxMapBytes = 64 << 20;
constexpr qint64 MaxTilesetBytes = 16 << 20;

// The whole file, when it is a readable file of at most `limit` bytes.
std::optional<QByteArray> readFile(const QString& path, qint64 limit, QString* reason)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        TiledMapHeader::Fail(reason, info.exists() ? QStringLiteral("\"%1\" is a folder").arg(path)
                                                   : QStringLiteral("\"%1\" does not exist").arg(path));
        return std::nullopt;
    }
    if (info.size() > limit) {
        TiledMapHeader::Fail(reason, QStringLiteral("\"%1\" is larger than %2 MiB").arg(path).arg(limit >> 20));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TiledMapHeader::Fail(reason, QStringLiteral("\"%1\" could not be opened: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) {
        TiledMapHeader::Fail(reason, QStringLiteral("\"%1\" is larger than %2 MiB").arg(path).arg(limit >> 20));
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<QByteArray> Read(const QByteArray& bytes, MapFormat::Kind kind, const QString& name,
                               const TilesetLoader& loadTileset, QString* error)
{
    QString reason;
    std::optional<QByteArray> tiles;
    switch (kind) {
    case MapFormat::Kind::Tmx: tiles = TmxMapReader::Read(bytes, loadTileset, &reason); break;
    case MapFormat::Kind::Json: tiles = JsonMapReader::Read(bytes, loadTileset, &reason); break;
    case MapFormat::Kind::Csv: tiles = CsvMapReader::Read(bytes, &reason); break;
    }
    if (!tiles && error) {
        // Qt's own messages, quoted in some reasons, end in a full stop already.
        *error = QStringLiteral("The map \"%1\" could not be imported: %2.")
                     .arg(name, reason.endsWith(u'.') ? reason.chopped(1) : reason);
    }
    return tiles;
}

std::optional<QByteArray> Import(const QString& path, QString* error)
{
    QString reason;
    const auto kind = MapFormat::FromPath(path);
    const auto bytes = kind ? readFile(path, MaxMapBytes, &reason) : std::nullopt;
    if (!bytes) {
        if (error) {
            *error = QStringLiteral("The map \"%1\" could not be imported: %2.")
                         .arg(path, kind ? reason
                                         : QStringLiteral("its name does not end in %1").arg(MapFormat::SuffixList()));
        }
        return std::nullopt;
    }
    return Read(*bytes, *kind, path, FolderLoader(QFileInfo(path).absolutePath()), error);
}

TilesetLoader FolderLoader(const QString& folder)
{
    return [folder](const QString& source, QString* reason) {
        return readFile(QDir(folder).filePath(source), MaxTilesetBytes, reason);
    };
}

}  // namespace TiledMapReader
