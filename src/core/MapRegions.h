#pragma once

#include "core/MapCell.h"
#include "core/MapCellChange.h"

#include <QRect>

class CartridgeImage;

// Regions of the overworld that the fill tools change, across block
// boundaries: the cells a change would touch, found before anything is changed.
namespace MapRegions {

// The cells 4-connected to `start` (through shared edges) that hold the same
// tile as `start`, inside `limit` (the overworld, or a selection); none when
// `start` lies outside it.
MapCells FloodArea(const CartridgeImage& image, const MapCell& start, const QRect& limit);

// The map bytes that change when each of `cells` (all on the map) takes `tile`.
MapCellChanges Fill(const CartridgeImage& image, const MapCells& cells, quint8 tile);

// The cells of `rectangle` that lie on the map.
MapCells CellsOf(const QRect& rectangle);

}  // namespace MapRegions
