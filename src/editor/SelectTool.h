#pragma once

#include "editor/MapTool.h"

#include <optional>

class ToolContext;

// The rectangular selection: a left drag selects the rectangle of cells it
// spans, shown as it grows; a click without a drag clears the selection.
class SelectTool : public MapTool {
public:
    explicit SelectTool(ToolContext& context);

    static ToolDescription Description();

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;
    void cancel() override;
    bool dragsRectangle() const override { return true; }
    QString status() const override;

private:
    ToolContext& m_context;
    std::optional<MapCell> m_anchor;
    bool m_dragged = false;
};
