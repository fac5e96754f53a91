#pragma once

#include "editor/MapTool.h"

#include <optional>
#include <vector>

class ToolContext;

// The bucket fill: a left click puts the current tile into every cell
// 4-connected to the clicked one that holds the same tile, across the whole
// overworld (or inside the selection, when there is one), as one undo step.
// Before the click the status line says how many cells would change. A right
// press picks the tile under the pointer, as with the brush.
class FillTool : public MapTool {
public:
    explicit FillTool(ToolContext& context);

    static ToolDescription Description();

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;
    QString status() const override;

private:
    QRect limit() const;
    // The number of cells a click on `cell` would change; the area found last
    // is kept, so moving within it costs nothing until the map changes.
    qsizetype changesAt(const MapCell& cell) const;

    ToolContext& m_context;
    std::optional<MapCell> m_pointer;
    mutable std::vector<bool> m_area;  // the area found last, by cell
    mutable qsizetype m_areaChanges = 0;
    mutable quint64 m_areaRevision = 0;
    mutable QRect m_areaLimit;
    mutable int m_areaTile = -1;
};
