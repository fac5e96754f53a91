#pragma once

#include <QtGlobal>

#include <functional>

class CartridgeImage;
class Platform;
class QImage;

// DrawBlock's work: a block drawn into a picture cell by cell, the event loop
// let run through the platform after each cell, so the window repaints and
// reacts while it draws. A newer drawing (another block chosen, a new load)
// or the end of the program stops an older one at its next cell, before it
// touches the picture again: the picture then belongs to the newer drawing.
class BlockDrawing {
public:
    explicit BlockDrawing(Platform& platform);

    // Called after each cell is drawn, before the yield: its local row (0..31) and column (0..255).
    using CellDrawn = std::function<void(int localRow, int column)>;

    // Clears `picture` to black and draws into it the block that starts at
    // image index `start`, from the tile strip, row by row; a cell whose byte
    // lies outside the image stays black. True when every cell was drawn;
    // false when a newer drawing or stop() overtook this one.
    bool draw(const CartridgeImage& image, qint32 start, const QImage& strip, QImage& picture,
              const CellDrawn& cellDrawn);

    // The program is ending: every drawing under way stops at its next cell, and none starts.
    void stop();

private:
    Platform& m_platform;
    quint64 m_newest = 0;
    bool m_stopped = false;
};
