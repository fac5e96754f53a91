#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class QSettings;

// What the editor remembers between runs about how it looks and where the
// user left off: the windows' places, the zooms, the tool, the grid, the
// block last shown of each cartridge, the Export Map Image choices and the
// View menu's switches. Every value read back is checked: one of a wrong
// type or out of its range (a settings file edited by hand, or written by
// another version) is taken as never remembered, so the default applies.
// Without a settings store nothing is remembered.
class LayoutMemory {
public:
    // The keys, all under "layout/" but the two older switches of the markers.
    static const QString WindowGeometry;
    static const QString WindowState;
    static const QString MapZoom;
    static const QString WorldGeometry;
    static const QString WorldZoom;
    static const QString Tool;
    static const QString GridColor;
    static const QString GridShown;
    static const QString ExportWholeOverworld;
    static const QString ExportGrid;
    static const QString ChangesShown;
    static const QString ToolBarShown;
    static const QString MapLocations;
    static const QString WorldLocations;
    // The blocks last shown, newest first, at most this many cartridges.
    static constexpr int BlocksKept = 32;

    explicit LayoutMemory(QSettings* settings) : m_settings(settings) {}

    QByteArray bytes(const QString& key) const;
    void setBytes(const QString& key, const QByteArray& value);
    // A whole number that is one of `allowed`.
    std::optional<int> number(const QString& key, const QList<int>& allowed) const;
    void setNumber(const QString& key, int value);
    // true or false, written as such; anything else is `fallback`.
    bool flag(const QString& key, bool fallback) const;
    void setFlag(const QString& key, bool value);
    std::optional<QString> text(const QString& key) const;
    void setText(const QString& key, const QString& value);
    // A colour written as "#rrggbb".
    std::optional<QColor> color(const QString& key) const;
    void setColor(const QString& key, const QColor& value);

    // The block (1..8) last shown of the cartridge at `path`; nothing when
    // none or a bad one was remembered.
    std::optional<int> lastBlock(const QString& path) const;
    void setLastBlock(const QString& path, int block);

    // Forgets all of it.
    void forget();

private:
    void store(const QString& key, const QVariant& value);

    QSettings* m_settings;
};
