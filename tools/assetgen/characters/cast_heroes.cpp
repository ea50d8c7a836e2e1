// The six heroes of the party and the six foes they meet.
#include "cast_table.h"

namespace assetgen::cast {

void addParty(Table& t) {
    // The party.
    put(t, 0, "Tov",
        with(person(Build::Normal, kWarm, Hair::Spiky, hex(0x8a3c1c), Outfit::Tunic, hex(0x2f6cc0),
                    hex(0x5a4638)),
             [](Look& l) {
                 l.weapon = Weapon::Sword;
                 l.cape = true;
                 l.capeColour = hex(0xc03030);
                 l.accent = hex(0xe0b040);
                 l.eyes = hex(0x203060);
             }));
    put(t, 4, "Ilvaine",
        with(person(Build::Tall, kPale, Hair::Long, hex(0xd8d0f0), Outfit::Robe, hex(0xf0f0f4),
                    hex(0x4a8a9a)),
             [](Look& l) {
                 l.hat = Hat::Tiara;
                 l.accent = hex(0x3aa8a0);
                 l.weapon = Weapon::OrbStaff;
                 l.shieldColour = hex(0x40c0e0);
                 l.eyes = hex(0x305878);
                 l.blush = true;
                 l.sash = true;
             }));
    put(t, 7, "Darsic",
        with(person(Build::Big, kTan, Hair::Short, hex(0x2a1c14), Outfit::Vest, hex(0x7a4a2a),
                    hex(0x4a4a58)),
             [](Look& l) {
                 l.beard = true;
                 l.weapon = Weapon::Axe;
                 l.fur = hex(0xb8b0a0);
                 l.accent = hex(0x9a9aa0);
                 l.hat = Hat::Bandana;
                 l.hatColour = hex(0x3a7a3a);
             }));
    put(t, 8, "Corwyth",
        with(person(Build::Normal, kFair, Hair::Short, hex(0xe8c060), Outfit::Armor, hex(0xa8b8d0),
                    hex(0x3a4a70)),
             [](Look& l) {
                 l.hat = Hat::PlumeHelmet;
                 l.hatColour = hex(0xa8b8d0);
                 l.accent = hex(0x3060c0);
                 l.weapon = Weapon::Sword;
                 l.shield = true;
                 l.shieldColour = hex(0x2850a0);
                 l.shoes = hex(0x707888);
             }));
    put(t, 40, "Salora",
        with(person(Build::Slim, kWarm, Hair::Ponytail, hex(0xc04a20), Outfit::Tunic, hex(0x3a8a44),
                    hex(0x6a5030)),
             [](Look& l) {
                 l.weapon = Weapon::Bow;
                 l.accent = hex(0x8a5a2a);
                 l.eyes = hex(0x2a5a2a);
                 l.blush = true;
             }));
    put(t, 41, "Bregan",
        with(person(Build::Stout, kFair, Hair::Short, hex(0xd8d8d8), Outfit::Robe, hex(0x6a3a9a),
                    hex(0x402060)),
             [](Look& l) {
                 l.beard = true;
                 l.hat = Hat::WizardHat;
                 l.hatColour = hex(0x5a2a8a);
                 l.accent = hex(0xe8c040);
                 l.weapon = Weapon::Staff;
             }));
}

void addFoes(Table& t) {
    // The foes.
    put(t, 48, "Muffin man",
        CreatureLook{CreatureKind::Muffin, hex(0xc88a48), hex(0xe8a0b8), hex(0x301c18)});
    put(t, 49, "Werewolf",
        with(person(Build::Big, hex(0x8a8078), Hair::None, hex(0x5a5048), Outfit::Fur,
                    hex(0x8a8078), hex(0x5a4a6a)),
             [](Look& l) {
                 l.head = HeadKind::Wolf;
                 l.fur = hex(0xc8c0b0);
                 l.tail = true;
                 l.eyes = hex(0xf0d030);
                 l.glowingEyes = true;
             }));
    put(t, 50, "Weretiger",
        with(person(Build::Normal, hex(0xe08a2a), Hair::None, hex(0x000000), Outfit::Fur,
                    hex(0xe08a2a), hex(0xe08a2a)),
             [](Look& l) {
                 l.head = HeadKind::Tiger;
                 l.fur = hex(0xf4ece0);
                 l.tail = true;
                 l.stripes = true;
                 l.eyes = hex(0x60d040);
                 l.glowingEyes = true;
             }));
    put(t, 51, "Reptile warrior",
        with(person(Build::Normal, hex(0x58a048), Hair::None, hex(0x000000), Outfit::Armor,
                    hex(0x8a6a40), hex(0x5a4a30)),
             [](Look& l) {
                 l.head = HeadKind::Lizard;
                 l.tail = true;
                 l.accent = hex(0xd04030);
                 l.weapon = Weapon::Spear;
                 l.shield = true;
                 l.shieldColour = hex(0x8a5a30);
                 l.eyes = hex(0xf0e040);
                 l.glowingEyes = true;
                 l.shoes = hex(0x3a6a30);
             }));
    put(t, 52, "Golem",
        CreatureLook{CreatureKind::Golem, hex(0x948878), hex(0x5a9a4a), hex(0x40e0f0)});
    put(t, 53, "Fairy",
        with(person(Build::Tiny, kPale, Hair::Long, hex(0xf0d060), Outfit::Dress, hex(0xf080b0),
                    hex(0xf080b0)),
             [](Look& l) {
                 l.wings = true;
                 l.wingColour = hex(0xb0e8ff);
                 l.floating = true;
                 l.accent = hex(0xffc0e0);
                 l.eyes = hex(0x3060a0);
                 l.blush = true;
             }));
}

}  // namespace assetgen::cast
