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

// Each suffix with `before` it: ".tmx", or "*.tmx".
QStringList prefixed(const QString& before, const QStringList& suffixes)
{
    QStringList prefixed;
    for (const QString& suffix : suffixes) {
        prefixed << before + suffix;
    }
    return prefixed;
}

QStringList allSuffixes()
{
    QStringList suffixes;
    for (const Kind kind : Kinds) {
        suffixes << Suffixes(kind);
    }
    return suffixes;
}

}  // namespace

QStringList Suffixes(Kind kind)
{
    switch (kind) {
    case Kind::Tmx: return {QStringLiteral("tmx")};
    case Kind::Json: return {QStringLiteral("tmj"), QStringLiteral("json")};
    case Kind::Csv: break;
    }
    return {QStringLiteral("csv")};
}

QString FilterDescription(Kind kind)
{
    const QString name = kind == Kind::Tmx    ? QStringLiteral("Tiled maps")
                         : kind == Kind::Json ? QStringLiteral("Tiled JSON maps")
                                              : QStringLiteral("CSV files");
    return QStringLiteral("%1 (%2)").arg(name, FilterPatterns(kind));
}

QString FilterPatterns(Kind kind)
{
    return prefixed(QStringLiteral("*."), Suffixes(kind)).join(u' ');
}

QString AllPatterns()
{
    return prefixed(QStringLiteral("*."), allSuffixes()).join(u' ');
}

QString SuffixList(const QString& more)
{
    QStringList listed = prefixed(QStringLiteral("."), allSuffixes());
    if (!more.isEmpty()) {
        listed << u'.' + more;
    }
    const QString last = listed.takeLast();
    return listed.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

std::optional<Kind> FromPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const Kind kind : Kinds) {
        if (Suffixes(kind).contains(suffix)) {
            return kind;
        }
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
