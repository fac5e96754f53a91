#include "editor/MapTool.h"

#include "core/NumberText.h"

#include <algorithm>

MapTool::~MapTool() = default;

void MapTool::cancel() {}

bool MapTool::dragsRectangle() const
{
    return false;
}

QRect MapTool::preview() const
{
    return {};
}

MapPattern MapTool::previewTiles() const
{
    return {};
}

QString MapTool::status() const
{
    return {};
}

QString MapTool::Cells(qsizetype count)
{
    return NumberText::Counted(count, QStringLiteral("%1 cell"), QStringLiteral("%1 cells"));
}

QString MapTool::Cells(int width, int height)
{
    return QStringLiteral("%1 \u00D7 %2 %3")
        .arg(width)
        .arg(height)
        .arg(width * height == 1 ? QStringLiteral("cell") : QStringLiteral("cells"));
}

MapCell MapTool::Clamped(const MapCell& cell, const QRect& area)
{
    return {std::clamp(cell.column, area.left(), area.right()), std::clamp(cell.row, area.top(), area.bottom())};
}

QRect MapTool::Spanned(const MapCell& a, const MapCell& b)
{
    return QRect(QPoint(std::min(a.column, b.column), std::min(a.row, b.row)),
                 QPoint(std::max(a.column, b.column), std::max(a.row, b.row)));
}
