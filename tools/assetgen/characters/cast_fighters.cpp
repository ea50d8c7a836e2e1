// Soldiers, adventurers and mages.
#include "cast_table.h"

namespace assetgen::cast {

void addFighters(Table& t) {
    put(t, 19, "Guard",
        with(person(Build::Normal, kWarm, Hair::Short, hex(0x4a3020), Outfit::Tunic, hex(0x3a5aa0),
                    hex(0x3a3a4a)),
             [](Look& l) {
                 l.hat = Hat::Helmet;
                 l.hatColour = hex(0xa8b0c0);
                 l.weapon = Weapon::Spear;
                 l.accent = hex(0xc8a040);
             }));
    put(t, 20, "Soldier",
        with(person(Build::Normal, kTan, Hair::Short, hex(0x2a2020), Outfit::Armor, hex(0x9a4a3a),
                    hex(0x4a3a30)),
             [](Look& l) {
                 l.hat = Hat::Helmet;
                 l.hatColour = hex(0xb88a4a);
                 l.weapon = Weapon::Sword;
                 l.shield = true;
                 l.shieldColour = hex(0x8a5a30);
                 l.accent = hex(0xe0c050);
             }));
    put(t, 21, "Golden knight",
        with(person(Build::Tall, kFair, Hair::Short, hex(0x4a3020), Outfit::Armor, hex(0xd8b050),
                    hex(0x6a5a3a)),
             [](Look& l) {
                 l.hat = Hat::Helmet;
                 l.hatColour = hex(0xd8b050);
                 l.weapon = Weapon::Spear;
                 l.shield = true;
                 l.shieldColour = hex(0xf0f0f0);
                 l.accent = hex(0xc02a2a);
                 l.shoes = hex(0x8a7040);
             }));
    put(t, 22, "Archer",
        with(person(Build::Slim, kWarm, Hair::Short, hex(0x4a3020), Outfit::Tunic, hex(0x7a5a3a),
                    hex(0x4a5a30)),
             [](Look& l) {
                 l.hat = Hat::Hood;
                 l.hatColour = hex(0x3a6a3a);
                 l.weapon = Weapon::Bow;
                 l.accent = hex(0x3a2a1a);
             }));
    put(t, 23, "Captain",
        with(person(Build::Normal, kFair, Hair::Short, hex(0x6a4020), Outfit::Tunic, hex(0x2a3a6a),
                    hex(0xe0dcd0)),
             [](Look& l) {
                 l.hat = Hat::Cap;
                 l.hatColour = hex(0x2a3a6a);
                 l.beard = true;
                 l.weapon = Weapon::Sword;
                 l.accent = hex(0xe0b040);
                 l.cape = true;
                 l.capeColour = hex(0x2a3a6a);
                 l.shoes = hex(0x2a2024);
             }));
    put(t, 27, "Thief",
        with(person(Build::Slim, kWarm, Hair::Short, hex(0x2a2020), Outfit::Tunic, hex(0x4a3a5a),
                    hex(0x3a3040)),
             [](Look& l) {
                 l.hat = Hat::Hood;
                 l.hatColour = hex(0x3a2a4a);
                 l.weapon = Weapon::Dagger;
                 l.accent = hex(0x8a2a2a);
                 l.sash = true;
             }));
    put(t, 28, "Hunter",
        with(person(Build::Normal, kTan, Hair::Wild, hex(0x6a3a1a), Outfit::Vest, hex(0x8a6a4a),
                    hex(0x4a4030)),
             [](Look& l) {
                 l.fur = hex(0xc8b890);
                 l.weapon = Weapon::Spear;
                 l.accent = hex(0x4a3020);
             }));
    put(t, 29, "Black mage",
        with(person(Build::Normal, hex(0x2a2838), Hair::None, hex(0x000000), Outfit::Robe,
                    hex(0x3a4a9a), hex(0x3a4a9a)),
             [](Look& l) {
                 l.hat = Hat::WizardHat;
                 l.hatColour = hex(0x8a6a3a);
                 l.accent = hex(0xd8b040);
                 l.eyes = hex(0xf8e040);
                 l.glowingEyes = true;
                 l.weapon = Weapon::Wand;
             }));
    put(t, 30, "White mage",
        with(person(Build::Normal, kFair, Hair::Short, hex(0x6a4020), Outfit::Robe, hex(0xf4f0e8),
                    hex(0xf4f0e8)),
             [](Look& l) {
                 l.hat = Hat::Hood;
                 l.hatColour = hex(0xf4f0e8);
                 l.accent = hex(0xd03040);
                 l.weapon = Weapon::Staff;
                 l.blush = true;
             }));
    put(t, 31, "Red mage",
        with(person(Build::Normal, kFair, Hair::Long, hex(0xe8d070), Outfit::Tunic, hex(0xb83030),
                    hex(0xe8e0d0)),
             [](Look& l) {
                 l.hat = Hat::FeatherCap;
                 l.hatColour = hex(0xb83030);
                 l.accent = hex(0x3a2a2a);
                 l.weapon = Weapon::Sword;
                 l.cape = true;
                 l.capeColour = hex(0x8a2020);
             }));
    put(t, 32, "Witch",
        with(person(Build::Slim, hex(0xd8e8c8), Hair::Long, hex(0x3a9a5a), Outfit::Dress,
                    hex(0x4a2a5a), hex(0x4a2a5a)),
             [](Look& l) {
                 l.hat = Hat::WizardHat;
                 l.hatColour = hex(0x2a2034);
                 l.accent = hex(0x9a4ac0);
                 l.weapon = Weapon::Wand;
                 l.eyes = hex(0x8a2a8a);
             }));
    put(t, 33, "Sage",
        with(person(Build::Tall, kFair, Hair::None, hex(0xf0f0f4), Outfit::Robe, hex(0x3a5aa8),
                    hex(0x3a5aa8)),
             [](Look& l) {
                 l.beard = true;
                 l.weapon = Weapon::OrbStaff;
                 l.accent = hex(0x60d0f0);
                 l.sash = true;
             }));
    put(t, 34, "Necromancer",
        with(person(Build::Tall, hex(0xa8a8b4), Hair::None, hex(0x000000), Outfit::Robe,
                    hex(0x2a1e30), hex(0x2a1e30)),
             [](Look& l) {
                 l.hat = Hat::Hood;
                 l.hatColour = hex(0x2a1e30);
                 l.accent = hex(0x60e060);
                 l.eyes = hex(0xf03030);
                 l.glowingEyes = true;
                 l.weapon = Weapon::OrbStaff;
             }));
    put(t, 35, "Sorceress",
        with(person(Build::Slim, kPale, Hair::Long, hex(0x2a2030), Outfit::Dress, hex(0x6a3aa0),
                    hex(0x6a3aa0)),
             [](Look& l) {
                 l.hat = Hat::Tiara;
                 l.accent = hex(0xe0c050);
                 l.shieldColour = hex(0xe03060);
                 l.weapon = Weapon::OrbStaff;
                 l.eyes = hex(0x6a2a8a);
             }));
    put(t, 36, "Monk",
        with(person(Build::Normal, kTan, Hair::None, hex(0x000000), Outfit::Robe, hex(0xe07a2a),
                    hex(0xe07a2a)),
             [](Look& l) {
                 l.accent = hex(0x8a3a1a);
                 l.sash = true;
                 l.weapon = Weapon::Staff;
             }));
    put(t, 43, "Dark knight",
        with(person(Build::Tall, kPale, Hair::None, hex(0x000000), Outfit::Armor, hex(0x4a4658),
                    hex(0x2a2834)),
             [](Look& l) {
                 l.hat = Hat::HornHelmet;
                 l.hatColour = hex(0x4a4658);
                 l.eyes = hex(0xf03030);
                 l.glowingEyes = true;
                 l.weapon = Weapon::Sword;
                 l.cape = true;
                 l.capeColour = hex(0x8a1a2a);
                 l.accent = hex(0x8a1a2a);
                 l.shoes = hex(0x3a3644);
                 l.skin = hex(0x3a3644);
             }));
}

}  // namespace assetgen::cast
