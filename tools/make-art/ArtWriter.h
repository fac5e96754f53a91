#pragma once

#include <QImage>
#include <QString>

// Lays the pictures out in their files, checks written files, and draws an
// enlarged overview for looking the art over.
class ArtWriter {
public:
    static constexpr int SheetCount = 4;
    static constexpr int SheetColumns = 14;
    static constexpr int SheetRows = 5;
    static constexpr int Cell = 16;

    // Tile sheet n: sheet 0 is the plain terrain, sheets 1 to 3 carry digit n.
    static QImage sheet(int n);

    // Writes every file below folder (tiles/, portraits/, icons/).
    static bool writeAll(const QString& folder);

    // Writes the program icon at every desktop size as
    // folder/<size>x<size>/orvane-map-editor.png (the hicolor theme's layout).
    static bool writeDesktopIcons(const QString& folder);

    // Checks the files in folder; prints each fault and returns false on any.
    static bool verify(const QString& folder);

    // Writes an enlarged overview with tiling tests to path (a dev aid).
    static bool writePreview(const QString& folder, const QString& path);
};
