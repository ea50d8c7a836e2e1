#include "core/char_tables.h"

#include <array>

namespace velmora {

void CharTables::fillSpritesAndNames() {
    constexpr std::array<int, 6> kPartySprites{0, 4, 7, 8, 40, 41};
    const std::array<QString, 6> partyNames{"Tov",     "Ilvaine", "Darsic",
                                            "Corwyth", "Salora",  "Bregan"};
    constexpr std::array<int, 6> kFoeSprites{48, 49, 50, 51, 52, 53};
    const std::array<QString, 6> foeNames{"Muffin Man",      "WereWolf", "WereTiger",
                                          "Reptile Warrior", "Golem",    "Fairy"};
    for (int slot = 1; slot <= 6; ++slot) {
        PartySprite[slot] = kPartySprites[slot - 1];
    }
    for (int slot = 1; slot <= 6; ++slot) {
        PartyName[slot] = partyNames[slot - 1];
    }
    for (int slot = 1; slot <= 6; ++slot) {
        FoeSprite[slot] = kFoeSprites[slot - 1];
    }
    for (int slot = 1; slot <= 6; ++slot) {
        FoeName[slot] = foeNames[slot - 1];
    }
}

void CharTables::fillNumbers() {
    for (int slot = 1; slot <= 6; ++slot) {
        PartyHP[slot] = 10;
        PartyMP[slot] = 10;
        PartyMaxHP[slot] = 10;
        PartyMaxMP[slot] = 10;
        PartyAttack[slot] = 3;
        PartyReserve[slot] = 1;
        FoeHP[slot] = 10;
        FoeMP[slot] = 10;
        FoeMaxHP[slot] = 10;
        FoeMaxMP[slot] = 10;
    }
}

}  // namespace velmora
