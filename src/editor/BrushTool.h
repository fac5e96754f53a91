#pragma once

#include "editor/MapTool.h"

class EditorSession;

// The brush, the default tool: a left press paints the current tile and a
// drag with the left button alone paints every cell along the pointer's path,
// one undo step from press to release; a right press picks the tile under
// the pointer as the current tile. Nothing is painted before a tile is current.
class BrushTool : public MapTool {
public:
    explicit BrushTool(EditorSession& session);

    void press(const MapToolEvent& event) override;
    void move(const MapToolEvent& event) override;
    void release(const MapToolEvent& event) override;

private:
    EditorSession& m_session;
};
