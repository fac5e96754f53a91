#include "editor/LayoutMemory.h"

#include "core/MapCell.h"

#include <QSettings>
#include <QStringList>

const QString LayoutMemory::WindowGeometry = QStringLiteral("layout/window/geometry");
const QString LayoutMemory::WindowState = QStringLiteral("layout/window/state");
const QString LayoutMemory::MapZoom = QStringLiteral("layout/mapZoom");
const QString LayoutMemory::WorldGeometry = QStringLiteral("layout/worldMap/geometry");
const QString LayoutMemory::WorldZoom = QStringLiteral("layout/worldMap/zoom");
const QString LayoutMemory::Tool = QStringLiteral("layout/tool");
const QString LayoutMemory::GridColor = QStringLiteral("layout/gridColor");
const QString LayoutMemory::GridShown = QStringLiteral("layout/gridShown");
const QString LayoutMemory::ExportWholeOverworld = QStringLiteral("layout/export/wholeOverworld");
const QString LayoutMemory::ExportGrid = QStringLiteral("layout/export/grid");
const QString LayoutMemory::ChangesShown = QStringLiteral("layout/showChanges");
const QString LayoutMemory::ToolBarShown = QStringLiteral("layout/toolBar");
const QString LayoutMemory::MapLocations = QStringLiteral("view/locationsOnMap");
const QString LayoutMemory::WorldLocations = QStringLiteral("view/locationsOnWorldMap");

namespace {

const QString LastBlocks = QStringLiteral("layout/lastBlocks");

// An entry of the last blocks: "3 /home/me/demo.nes".
std::optional<std::pair<int, QString>> blockEntry(const QString& entry)
{
    const qsizetype space = entry.indexOf(u' ');
    bool ok = false;
    const int block = space > 0 ? entry.left(space).toInt(&ok) : 0;
    if (!ok || block < 1 || block > MapCell::Blocks) {
        return std::nullopt;
    }
    return std::pair{block, entry.mid(space + 1)};
}

}  // namespace

QByteArray LayoutMemory::bytes(const QString& key) const
{
    if (!m_settings) {
        return {};
    }
    const QVariant value = m_settings->value(key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

void LayoutMemory::store(const QString& key, const QVariant& value)
{
    // A value written as it was is not written again: the settings file is rewritten only when something changed.
    if (m_settings && m_settings->value(key) != value) {
        m_settings->setValue(key, value);
    }
}

void LayoutMemory::setBytes(const QString& key, const QByteArray& value)
{
    store(key, value);
}

std::optional<int> LayoutMemory::number(const QString& key, const QList<int>& allowed) const
{
    if (!m_settings) {
        return std::nullopt;
    }
    bool ok = false;
    const int value = m_settings->value(key).toString().toInt(&ok);
    return ok && allowed.contains(value) ? std::optional(value) : std::nullopt;
}

void LayoutMemory::setNumber(const QString& key, int value)
{
    store(key, QString::number(value));
}

bool LayoutMemory::flag(const QString& key, bool fallback) const
{
    if (!m_settings) {
        return fallback;
    }
    const QVariant value = m_settings->value(key);
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    const QString word = value.typeId() == QMetaType::QString ? value.toString() : QString();
    return word == QLatin1String("true") || (word != QLatin1String("false") && fallback);
}

void LayoutMemory::setFlag(const QString& key, bool value)
{
    store(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

std::optional<QString> LayoutMemory::text(const QString& key) const
{
    if (!m_settings) {
        return std::nullopt;
    }
    const QVariant value = m_settings->value(key);
    return value.typeId() == QMetaType::QString ? std::optional(value.toString()) : std::nullopt;
}

void LayoutMemory::setText(const QString& key, const QString& value)
{
    store(key, value);
}

std::optional<QColor> LayoutMemory::color(const QString& key) const
{
    const std::optional<QString> name = text(key);
    if (!name || !name->startsWith(u'#') || name->size() != 7) {
        return std::nullopt;
    }
    const QColor colour = QColor::fromString(*name);
    return colour.isValid() ? std::optional(colour) : std::nullopt;
}

void LayoutMemory::setColor(const QString& key, const QColor& value)
{
    setText(key, value.name(QColor::HexRgb));
}

std::optional<int> LayoutMemory::lastBlock(const QString& path) const
{
    if (!m_settings) {
        return std::nullopt;
    }
    const QVariant value = m_settings->value(LastBlocks);
    for (const QString& entry : value.toStringList()) {
        if (const auto parsed = blockEntry(entry); parsed && parsed->second == path) {
            return parsed->first;
        }
    }
    return std::nullopt;
}

void LayoutMemory::setLastBlock(const QString& path, int block)
{
    if (!m_settings || path.isEmpty() || block < 1 || block > MapCell::Blocks) {
        return;
    }
    QStringList kept{QStringLiteral("%1 %2").arg(block).arg(path)};
    const QStringList before = m_settings->value(LastBlocks).toStringList();
    for (const QString& entry : before) {
        const auto parsed = blockEntry(entry);
        if (parsed && parsed->second != path && kept.size() < BlocksKept) {
            kept.append(entry);
        }
    }
    if (kept != before) {
        m_settings->setValue(LastBlocks, kept);
    }
}

void LayoutMemory::forget()
{
    if (m_settings) {
        m_settings->remove(QStringLiteral("layout"));
        m_settings->remove(MapLocations);
        m_settings->remove(WorldLocations);
        m_settings->sync();
    }
}
