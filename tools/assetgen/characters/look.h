#pragma once

#include <QColor>

namespace assetgen {

// The four rows of a character picture, top to bottom.
enum class Facing { Up = 0, Right = 1, Down = 2, Left = 3 };

enum class Build { Normal, Slim, Stout, Child, Tall, Big, Tiny };
enum class HeadKind { Human, Wolf, Tiger, Lizard, Skull, Goblin, Orc, Bear, Imp };
enum class Hair { None, Short, Spiky, Long, Ponytail, Bun, Braids, Bob, Wild, Mohawk };
enum class Hat {
    None,
    Helmet,
    HornHelmet,
    PlumeHelmet,
    Hood,
    WizardHat,
    Crown,
    Tiara,
    Bandana,
    WideHat,
    FeatherCap,
    Veil,
    Turban,
    Cap,
};
enum class Outfit { Tunic, Robe, Dress, Armor, Vest, Apron, Rags, Fur, Bones, Overalls };
enum class Weapon { None, Sword, Staff, OrbStaff, Spear, Axe, Bow, Dagger, Hammer, Cane, Wand };

// Everything that makes a humanoid figure look like itself.
struct Look {
    Build build = Build::Normal;
    HeadKind head = HeadKind::Human;
    Hair hair = Hair::Short;
    Hat hat = Hat::None;
    Outfit outfit = Outfit::Tunic;
    Weapon weapon = Weapon::None;

    QColor skin{236, 188, 150};
    QColor hairColour{96, 58, 34};
    QColor top{70, 110, 170};
    QColor bottom{90, 70, 55};
    QColor accent{200, 160, 60};  // belt, trim, emblems
    QColor shoes{80, 50, 36};
    QColor hatColour{120, 120, 130};
    QColor eyes{40, 30, 50};
    QColor fur{150, 150, 150};  // belly / muzzle / secondary body colour for beasts

    bool beard = false;
    bool shield = false;
    QColor shieldColour{150, 40, 40};
    bool cape = false;
    QColor capeColour{160, 30, 40};
    bool tail = false;
    bool wings = false;
    QColor wingColour{170, 220, 255};
    bool stripes = false;
    bool glowingEyes = false;
    bool floating = false;
    bool blush = false;
    bool sash = false;
};

}  // namespace assetgen
