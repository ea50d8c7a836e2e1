// Monsters of the fields, woods and ruins.
#include "cast_table.h"

namespace assetgen::cast {

void addMonsters(Table& t) {
    put(t, 37, "Skeleton",
        with(person(Build::Normal, hex(0xe8e0c8), Hair::None, hex(0x000000), Outfit::Bones,
                    hex(0xe8e0c8), hex(0xe8e0c8)),
             [](Look& l) {
                 l.head = HeadKind::Skull;
                 l.eyes = hex(0xf04030);
                 l.weapon = Weapon::Sword;
                 l.shield = true;
                 l.shieldColour = hex(0x6a5a4a);
                 l.accent = hex(0x8a7a6a);
             }));
    put(t, 38, "Zombie",
        with(person(Build::Normal, hex(0x8aa878), Hair::Wild, hex(0x3a4a2a), Outfit::Rags,
                    hex(0x6a5a7a), hex(0x4a4038)),
             [](Look& l) {
                 l.eyes = hex(0xe0e040);
                 l.glowingEyes = true;
                 l.accent = hex(0x3a3030);
                 l.shoes = hex(0x3a3030);
             }));
    put(t, 39, "Goblin",
        with(person(Build::Child, hex(0x6ab04a), Hair::None, hex(0x000000), Outfit::Rags,
                    hex(0x8a6a3a), hex(0x5a4a2a)),
             [](Look& l) {
                 l.head = HeadKind::Goblin;
                 l.weapon = Weapon::Dagger;
                 l.eyes = hex(0xf0d020);
                 l.glowingEyes = true;
                 l.accent = hex(0x4a3a2a);
             }));
    put(t, 42, "Orc",
        with(person(Build::Big, hex(0x7a9a5a), Hair::Mohawk, hex(0x1e1a1a), Outfit::Vest,
                    hex(0x6a4a2a), hex(0x4a3a3a)),
             [](Look& l) {
                 l.head = HeadKind::Orc;
                 l.fur = hex(0x8aa06a);
                 l.weapon = Weapon::Hammer;
                 l.eyes = hex(0xe03020);
                 l.accent = hex(0x9a8a7a);
             }));
    put(t, 60, "Imp",
        with(person(Build::Child, hex(0xd04a3a), Hair::None, hex(0x000000), Outfit::Fur,
                    hex(0xd04a3a), hex(0xd04a3a)),
             [](Look& l) {
                 l.head = HeadKind::Imp;
                 l.fur = hex(0xf0a080);
                 l.wings = true;
                 l.wingColour = hex(0x6a2a4a);
                 l.tail = true;
                 l.weapon = Weapon::Spear;
                 l.eyes = hex(0xf8e040);
                 l.glowingEyes = true;
             }));
    put(t, 62, "Bearfolk",
        with(person(Build::Big, hex(0x8a5a3a), Hair::None, hex(0x000000), Outfit::Fur,
                    hex(0x8a5a3a), hex(0x8a5a3a)),
             [](Look& l) {
                 l.head = HeadKind::Bear;
                 l.fur = hex(0xd8b890);
                 l.eyes = hex(0x1e1418);
                 l.sash = true;
                 l.accent = hex(0xc03a2a);
             }));
    put(t, 44, "Slime",
        CreatureLook{CreatureKind::Slime, hex(0x4a9ae8), hex(0x2a5aa8), hex(0x1e2040)});
    put(t, 45, "Bat", CreatureLook{CreatureKind::Bat, hex(0x6a4a8a), hex(0x8a5aa8), hex(0xf04040)});
    put(t, 46, "Ghost",
        CreatureLook{CreatureKind::Ghost, hex(0xd8e8f4), hex(0xa8c0e0), hex(0x2a2a48)});
    put(t, 47, "Mushroom",
        CreatureLook{CreatureKind::Mushroom, hex(0xd8383a), hex(0xf8f0e0), hex(0x2a1e20)});
    put(t, 54, "Snake",
        CreatureLook{CreatureKind::Snake, hex(0x5aa040), hex(0xe8d060), hex(0xf0e030)});
    put(t, 55, "Spider",
        CreatureLook{CreatureKind::Spider, hex(0x4a3a5a), hex(0xd03030), hex(0xf04040)});
    put(t, 56, "Floating eye",
        CreatureLook{CreatureKind::Eye, hex(0x40a060), hex(0xa04a7a), hex(0x1e1418)});
    put(t, 57, "Fire wisp",
        CreatureLook{CreatureKind::Wisp, hex(0xf07a20), hex(0xf8e060), hex(0x3a1a10)});
    put(t, 58, "Cockatrice",
        CreatureLook{CreatureKind::Bird, hex(0xc8883a), hex(0xe8c040), hex(0x1e1418)});
    put(t, 59, "Dragon whelp",
        CreatureLook{CreatureKind::Dragon, hex(0xc83a2a), hex(0xe8883a), hex(0xf8e040)});
    put(t, 61, "Mandrake",
        CreatureLook{CreatureKind::Plant, hex(0x5aa03a), hex(0xe86aa0), hex(0xf8f060)});
    put(t, 63, "Rock crab",
        CreatureLook{CreatureKind::Crab, hex(0xd06a3a), hex(0xf0c090), hex(0x1e1418)});
}

}  // namespace assetgen::cast
