#pragma once

#include "editor/LocationMoves.h"
#include "editor/MapTool.h"

#include <optional>

class ToolContext;

// Moves the towns, items and balloon: a left press on a location's cell takes
// it, a drag carries it (the target cell outlined), and the release on
// another cell moves it there, written to the file at once as one step of the
// history. Escape, or a release on its own cell, moves nothing. While a town
// is carried, the status line says when its new screen would hold more than
// two towns; the move is still made when released.
class MoveLocationsTool : public MapTool {
public:
    explicit MoveLocationsTool(ToolContext& context);

    static ToolDescription Description();

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;
    void cancel() override;
    QRect preview() const override;
    QString status() const override;

private:
    ToolContext& m_context;
    std::optional<LocationMoves::Location> m_carried;
    MapCell m_target;
};
