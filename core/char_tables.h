#pragma once

#include <QString>

#include "core/checked.h"

namespace velmora {

// The party of six heroes and the six foes: one six-entry table per attribute, addressed by
// slot 1 to 6. Everything is 0 or empty until the map screen fills the tables.
struct CharTables {
    SlotArray<Int16> PartySprite;
    SlotArray<QString> PartyName;
    SlotArray<Int16> PartyHP;
    SlotArray<Int16> PartyMP;
    SlotArray<Int16> PartyMaxHP;
    SlotArray<Int16> PartyMaxMP;
    SlotArray<Int16> PartyAttack;
    SlotArray<Int16> PartyReserve;
    SlotArray<Int16> FoeSprite;
    SlotArray<QString> FoeName;
    SlotArray<Int16> FoeHP;
    SlotArray<Int16> FoeMP;
    SlotArray<Int16> FoeMaxHP;
    SlotArray<Int16> FoeMaxMP;

    // A new game fills the tables in two steps around the loading of the sprite sheet:
    // first the sprites and names, then the numbers.
    void fillSpritesAndNames();
    void fillNumbers();
};

}  // namespace velmora
