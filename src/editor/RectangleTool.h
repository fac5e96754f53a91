#pragma once

#include "editor/MapTool.h"

#include <optional>

class ToolContext;

// The rectangle fill: a left drag outlines a rectangle of cells, which takes
// the current tile on release, as one undo step; the status line says how
// many cells will change. A right press picks the tile under the pointer.
class RectangleTool : public MapTool {
public:
    explicit RectangleTool(ToolContext& context);

    static ToolDescription Description();

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;
    void cancel() override;
    bool dragsRectangle() const override { return true; }
    QRect preview() const override;
    QString status() const override;

private:
    qsizetype changes() const;

    ToolContext& m_context;
    std::optional<MapCell> m_pointer;
    std::optional<MapCell> m_anchor;  // where the drag began
    QRect m_rectangle;
};
