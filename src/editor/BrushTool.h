#pragma once

#include "editor/MapTool.h"

#include <optional>

class ToolContext;

// The brush, the default tool. A left press stamps the brush's pattern (the
// current tile, unless a copy or a pick made it larger) and a drag with the
// left button alone stamps it along the pointer's path, one undo step from
// press to release. A right press picks the tile under the pointer as the
// current tile; a right drag over several cells makes them the stamp.
// Nothing is painted before a tile is current.
class BrushTool : public MapTool {
public:
    explicit BrushTool(ToolContext& context);

    static ToolDescription Description();

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;
    void cancel() override;
    QRect preview() const override;
    MapPattern previewTiles() const override;
    QString status() const override;

private:
    ToolContext& m_context;
    std::optional<MapCell> m_pointer;
    std::optional<MapCell> m_pickFrom;  // where a right drag began
    QRect m_picked;  // the cells it covers so far
};
