#pragma once

#include <QList>
#include <QtGlobal>

// One map byte changed by an edit: where it lies in the image, and its value
// before and after. An edit is a list of them; its undo puts every `before` back.
struct MapCellChange {
    qint32 index = 0;  // map byte offset in the image
    quint8 before = 0;
    quint8 after = 0;
};

using MapCellChanges = QList<MapCellChange>;
