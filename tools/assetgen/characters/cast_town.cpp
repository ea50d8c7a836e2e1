// Villagers, townsfolk and the royal court.
#include "cast_table.h"

namespace assetgen::cast {

void addTownsfolk(Table& t) {
    put(t, 1, "Villager",
        person(Build::Normal, kWarm, Hair::Short, hex(0x6a4226), Outfit::Tunic, hex(0x6a8a3a),
               hex(0x6a5038)));
    put(t, 2, "Village woman",
        with(person(Build::Normal, kFair, Hair::Bun, hex(0xa0522d), Outfit::Dress, hex(0x5a8ac8),
                    hex(0x5a8ac8)),
             [](Look& l) {
                 l.accent = hex(0xf0ece0);
                 l.blush = true;
             }));
    put(t, 3, "Old man",
        with(person(Build::Normal, kFair, Hair::None, hex(0xe8e8ec), Outfit::Robe, hex(0x8a6a4a),
                    hex(0x5a4a3a)),
             [](Look& l) {
                 l.beard = true;
                 l.weapon = Weapon::Cane;
                 l.accent = hex(0x6a503a);
             }));
    put(t, 5, "Old woman",
        with(person(Build::Stout, kFair, Hair::Bun, hex(0xc0c0c8), Outfit::Dress, hex(0x7a5a8a),
                    hex(0x7a5a8a)),
             [](Look& l) {
                 l.weapon = Weapon::Cane;
                 l.accent = hex(0xd8c8a8);
                 l.shoes = hex(0x4a3a3a);
             }));
    put(t, 6, "Boy",
        with(person(Build::Child, kWarm, Hair::Spiky, hex(0x2a2228), Outfit::Tunic, hex(0xc04a3a),
                    hex(0x3a5a9a)),
             [](Look& l) { l.accent = hex(0x8a6a3a); }));
    put(t, 9, "Girl",
        with(person(Build::Child, kFair, Hair::Braids, hex(0xe8c050), Outfit::Dress, hex(0x58b0a0),
                    hex(0x58b0a0)),
             [](Look& l) {
                 l.accent = hex(0xd04050);
                 l.blush = true;
             }));
    put(t, 10, "Merchant",
        with(person(Build::Stout, kTan, Hair::Short, hex(0x1a1418), Outfit::Vest, hex(0xb83a3a),
                    hex(0x6a4a6a)),
             [](Look& l) {
                 l.hat = Hat::Turban;
                 l.hatColour = hex(0xe8d8b0);
                 l.shieldColour = hex(0x30a060);
                 l.fur = hex(0xe8dcc0);
                 l.beard = true;
                 l.accent = hex(0xe0b040);
             }));
    put(t, 11, "Innkeeper",
        with(person(Build::Stout, kFair, Hair::Short, hex(0xc0602a), Outfit::Apron, hex(0x4a7a5a),
                    hex(0x5a4a3a)),
             [](Look& l) {
                 l.accent = hex(0xece4d0);
                 l.blush = true;
             }));
    put(t, 12, "Blacksmith",
        with(person(Build::Big, kTan, Hair::None, hex(0x3a2a20), Outfit::Apron, hex(0x5a5a64),
                    hex(0x3a3a44)),
             [](Look& l) {
                 l.accent = hex(0x7a4a2a);
                 l.weapon = Weapon::Hammer;
                 l.beard = true;
                 l.hairColour = hex(0x4a2a1a);
             }));
    put(t, 13, "Farmer",
        with(person(Build::Normal, kWarm, Hair::Short, hex(0x8a5a2a), Outfit::Overalls,
                    hex(0xc05040), hex(0x4a6aa0)),
             [](Look& l) {
                 l.hat = Hat::WideHat;
                 l.hatColour = hex(0xe0c060);
                 l.accent = hex(0xc05040);
             }));
    put(t, 14, "Priest",
        with(person(Build::Tall, kFair, Hair::Short, hex(0x9a9aa0), Outfit::Robe, hex(0xf0ece0),
                    hex(0xf0ece0)),
             [](Look& l) {
                 l.accent = hex(0xe0b040);
                 l.sash = true;
                 l.weapon = Weapon::Staff;
             }));
    put(t, 15, "Nun",
        with(person(Build::Normal, kFair, Hair::None, hex(0x2a2a3a), Outfit::Robe, hex(0x2e2e40),
                    hex(0x2e2e40)),
             [](Look& l) {
                 l.hat = Hat::Veil;
                 l.hatColour = hex(0x2e2e40);
                 l.accent = hex(0xe8e4dc);
                 l.blush = true;
             }));
    put(t, 16, "King",
        with(person(Build::Stout, kFair, Hair::Short, hex(0xe0e0e4), Outfit::Robe, hex(0xb02a3a),
                    hex(0xb02a3a)),
             [](Look& l) {
                 l.beard = true;
                 l.hat = Hat::Crown;
                 l.accent = hex(0xf0c040);
                 l.cape = true;
                 l.capeColour = hex(0x6a2a8a);
                 l.shieldColour = hex(0x3060e0);
             }));
    put(t, 17, "Queen",
        with(person(Build::Tall, kFair, Hair::Long, hex(0x8a4a22), Outfit::Dress, hex(0x7a3a9a),
                    hex(0x7a3a9a)),
             [](Look& l) {
                 l.hat = Hat::Crown;
                 l.accent = hex(0xf0c040);
                 l.shieldColour = hex(0xe03050);
                 l.cape = true;
                 l.capeColour = hex(0xb02a3a);
             }));
    put(t, 18, "Princess",
        with(person(Build::Slim, kPale, Hair::Long, hex(0xf0c860), Outfit::Dress, hex(0xe05a8a),
                    hex(0xe05a8a)),
             [](Look& l) {
                 l.hat = Hat::Tiara;
                 l.accent = hex(0xf0d060);
                 l.shieldColour = hex(0x40a0f0);
                 l.blush = true;
                 l.eyes = hex(0x2a4a8a);
             }));
    put(t, 24, "Dancer",
        with(person(Build::Slim, kTan, Hair::Ponytail, hex(0x1e1620), Outfit::Dress, hex(0x2aa8a0),
                    hex(0x2aa8a0)),
             [](Look& l) {
                 l.accent = hex(0xf0c040);
                 l.blush = true;
             }));
    put(t, 25, "Bard",
        with(person(Build::Normal, kFair, Hair::Bob, hex(0xe0b050), Outfit::Tunic, hex(0xd8803a),
                    hex(0x5a3a6a)),
             [](Look& l) {
                 l.hat = Hat::FeatherCap;
                 l.hatColour = hex(0x3a8a4a);
                 l.accent = hex(0x8a3a2a);
                 l.cape = true;
                 l.capeColour = hex(0x3a8a4a);
             }));
    put(t, 26, "Sailor",
        with(person(Build::Normal, kTan, Hair::Short, hex(0x3a2a1a), Outfit::Tunic, hex(0xe8e8f0),
                    hex(0x2a4a8a)),
             [](Look& l) {
                 l.hat = Hat::Bandana;
                 l.hatColour = hex(0xc83030);
                 l.accent = hex(0x2a4a8a);
                 l.weapon = Weapon::Dagger;
             }));
}

}  // namespace assetgen::cast
