#include "core/TownWarps.h"

namespace TownWarps {

QList<QList<int>> Crowds(const MapCells& towns)
{
    QList<QList<int>> crowds;
    QList<bool> counted(towns.size(), false);
    for (qsizetype i = 0; i < towns.size(); ++i) {
        if (counted[i]) {
            continue;
        }
        QList<int> together{static_cast<int>(i)};
        for (qsizetype j = i + 1; j < towns.size(); ++j) {
            if (ScreenOf(towns[j]) == ScreenOf(towns[i])) {
                together.append(static_cast<int>(j));
                counted[j] = true;
            }
        }
        if (together.size() > 2) {
            crowds.append(together);
        }
    }
    return crowds;
}

}  // namespace TownWarps
