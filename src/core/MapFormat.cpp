#include "core/MapFormat.h"

#include <QFileInfo>

namespace MapFormat {

namespace {

// The path with its last suffix replaced: "a/world.tmx" -> "a/world.<suffix>".
QString besideMap(const QString& mapPath, const char* suffix)
{
    const QFileInfo map(mapPath);
    const QString base = map.suffix().isEmpty() ? mapPath : mapPath.chopped(map.suffix().size() + 1);
    return base + u'.' + QLatin1String(suffix);
}

}  // namespace

std::optional<Kind> FromPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"tmx") {
        return Kind::Tmx;
    }
    if (suffix == u"tmj" || suffix == u"json") {
        return Kind::Json;
    }
    if (suffix == u"csv") {
        return Kind::Csv;
    }
    return std::nullopt;
}

QString TilesetPath(const QString& mapPath)
{
    const auto kind = FromPath(mapPath);
    if (!kind || *kind == Kind::Csv) {
        return {};
    }
    return besideMap(mapPath, *kind == Kind::Tmx ? "tsx" : "tsj");
}

QString PicturePath(const QString& mapPath)
{
    const auto kind = FromPath(mapPath);
    return !kind || *kind == Kind::Csv ? QString() : besideMap(mapPath, "png");
}

}  // namespace MapFormat
