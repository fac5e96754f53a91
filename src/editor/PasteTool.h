#pragma once

#include "core/MapPattern.h"
#include "editor/MapTool.h"

#include <optional>

class ToolContext;

// A paste floating under the pointer: the pasted cells follow it, with
// their top left cell on the pointer's, until a left click places them
// (clipped at the edges of the overworld, across block boundaries), as one
// undo step. The session puts it in front of the chosen tool until then; it is
// no tool of the Tools menu.
class PasteTool : public MapTool {
public:
    PasteTool(ToolContext& context, MapPattern pattern);

    const MapPattern& pattern() const { return m_pattern; }

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;
    QRect preview() const override;
    MapPattern previewTiles() const override;
    QString status() const override;

private:
    ToolContext& m_context;
    MapPattern m_pattern;
    std::optional<MapCell> m_pointer;
};
