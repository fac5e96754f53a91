#pragma once

#include <QString>

// The names screen readers announce for the controls of the Game windows,
// made from the windows' own captions in the field tables, so a reader hears
// "Price of Torch" or "Mage level" rather than "edit box".
namespace AccessibleNames {

// A caption without its trailing colon: "Torch:" gives "Torch".
QString Bare(const QString& caption);

// Prices window: "Price of Torch".
QString Price(int index);

// Characters window.
QString ClassStat(int stat, int classIndex);  // "Mage level", "Bard hit points"
QString Equipment(int slot, int classIndex);  // "Mage equipment 1" (slot 1 or 2)
QString StartingHerb(int herb);  // "Starting Ash"
QString ClassButton(int classIndex);  // "Paladin"; the herbs button is "Starting herbs"
inline const QString HerbsButton = QStringLiteral("Starting herbs");

// Location windows, for a row whose label is `label` ("Ferrow:").
QString Location(const QString& label);  // "Ferrow location"
QString Block(const QString& label);  // "Ferrow block"
QString NewLocation(const QString& label);  // "New location for Ferrow"

}  // namespace AccessibleNames
