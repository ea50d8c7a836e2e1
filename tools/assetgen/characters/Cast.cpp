#include "Cast.h"

#include <QPainter>
#include <variant>

#include "Creature.h"
#include "Humanoid.h"

namespace assetgen {

namespace {

using Figure = std::variant<Look, CreatureLook>;

struct Member {
    const char* name;
    Figure figure;
};

QColor hex(int v) { return QColor((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff); }

// Skin tones.
const QColor kFair = hex(0xf2c8a0);
const QColor kWarm = hex(0xe0a878);
const QColor kTan = hex(0xc08058);
const QColor kDeep = hex(0x8a5a3c);
const QColor kPale = hex(0xf4dcc8);

Look person(Build b, QColor skin, Hair hair, QColor hairColour, Outfit o, QColor top,
            QColor bottom) {
    Look l;
    l.build = b;
    l.skin = skin;
    l.hair = hair;
    l.hairColour = hairColour;
    l.outfit = o;
    l.top = top;
    l.bottom = bottom;
    return l;
}

template <typename F>
Look with(Look l, F change) {
    change(l);
    return l;
}

std::vector<Member> buildCast() {
    std::vector<Member> cast(kCharacterCount, Member{"", Look{}});
    auto set = [&cast](int i, const char* name, Figure f) { cast[static_cast<size_t>(i)] = {name, f}; };

    // The party.
    set(0, "Tov", with(person(Build::Normal, kWarm, Hair::Spiky, hex(0x8a3c1c), Outfit::Tunic, hex(0x2f6cc0), hex(0x5a4638)), [](Look& l) {
            l.weapon = Weapon::Sword;
            l.cape = true;
            l.capeColour = hex(0xc03030);
            l.accent = hex(0xe0b040);
            l.eyes = hex(0x203060);
        }));
    set(4, "Ilvaine", with(person(Build::Tall, kPale, Hair::Long, hex(0xd8d0f0), Outfit::Robe, hex(0xf0f0f4), hex(0x4a8a9a)), [](Look& l) {
            l.hat = Hat::Tiara;
            l.accent = hex(0x3aa8a0);
            l.weapon = Weapon::OrbStaff;
            l.shieldColour = hex(0x40c0e0);
            l.eyes = hex(0x305878);
            l.blush = true;
            l.sash = true;
        }));
    set(7, "Darsic", with(person(Build::Big, kTan, Hair::Short, hex(0x2a1c14), Outfit::Vest, hex(0x7a4a2a), hex(0x4a4a58)), [](Look& l) {
            l.beard = true;
            l.weapon = Weapon::Axe;
            l.fur = hex(0xb8b0a0);
            l.accent = hex(0x9a9aa0);
            l.hat = Hat::Bandana;
            l.hatColour = hex(0x3a7a3a);
        }));
    set(8, "Corwyth", with(person(Build::Normal, kFair, Hair::Short, hex(0xe8c060), Outfit::Armor, hex(0xa8b8d0), hex(0x3a4a70)), [](Look& l) {
            l.hat = Hat::PlumeHelmet;
            l.hatColour = hex(0xa8b8d0);
            l.accent = hex(0x3060c0);
            l.weapon = Weapon::Sword;
            l.shield = true;
            l.shieldColour = hex(0x2850a0);
            l.shoes = hex(0x707888);
        }));
    set(40, "Salora", with(person(Build::Slim, kWarm, Hair::Ponytail, hex(0xc04a20), Outfit::Tunic, hex(0x3a8a44), hex(0x6a5030)), [](Look& l) {
            l.weapon = Weapon::Bow;
            l.accent = hex(0x8a5a2a);
            l.eyes = hex(0x2a5a2a);
            l.blush = true;
        }));
    set(41, "Bregan", with(person(Build::Stout, kFair, Hair::Short, hex(0xd8d8d8), Outfit::Robe, hex(0x6a3a9a), hex(0x402060)), [](Look& l) {
            l.beard = true;
            l.hat = Hat::WizardHat;
            l.hatColour = hex(0x5a2a8a);
            l.accent = hex(0xe8c040);
            l.weapon = Weapon::Staff;
        }));

    // The foes.
    set(48, "Muffin man", CreatureLook{CreatureKind::Muffin, hex(0xc88a48), hex(0xe8a0b8), hex(0x301c18)});
    set(49, "Werewolf", with(person(Build::Big, hex(0x8a8078), Hair::None, hex(0x5a5048), Outfit::Fur, hex(0x8a8078), hex(0x5a4a6a)), [](Look& l) {
            l.head = HeadKind::Wolf;
            l.fur = hex(0xc8c0b0);
            l.tail = true;
            l.eyes = hex(0xf0d030);
            l.glowingEyes = true;
        }));
    set(50, "Weretiger", with(person(Build::Normal, hex(0xe08a2a), Hair::None, hex(0x000000), Outfit::Fur, hex(0xe08a2a), hex(0x3a3050)), [](Look& l) {
            l.head = HeadKind::Tiger;
            l.fur = hex(0xf4ece0);
            l.tail = true;
            l.stripes = true;
            l.eyes = hex(0x60d040);
            l.glowingEyes = true;
        }));
    set(51, "Reptile warrior", with(person(Build::Normal, hex(0x58a048), Hair::None, hex(0x000000), Outfit::Armor, hex(0x8a6a40), hex(0x5a4a30)), [](Look& l) {
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
    set(52, "Golem", CreatureLook{CreatureKind::Golem, hex(0x948878), hex(0x5a9a4a), hex(0x40e0f0)});
    set(53, "Fairy", with(person(Build::Tiny, kPale, Hair::Long, hex(0xf0d060), Outfit::Dress, hex(0xf080b0), hex(0xf080b0)), [](Look& l) {
            l.wings = true;
            l.wingColour = hex(0xb0e8ff);
            l.floating = true;
            l.accent = hex(0xffc0e0);
            l.eyes = hex(0x3060a0);
            l.blush = true;
        }));
    return cast;
}

const std::vector<Member>& cast() {
    static const std::vector<Member> members = buildCast();
    return members;
}

QImage frame(const Figure& figure, Facing facing, int step) {
    SpriteCanvas canvas;
    const Facing drawn = facing == Facing::Left ? Facing::Right : facing;
    if (const Look* look = std::get_if<Look>(&figure)) {
        drawHumanoid(canvas, *look, drawn, step);
    } else {
        drawCreature(canvas, std::get<CreatureLook>(figure), drawn, step);
    }
    return canvas.render(facing == Facing::Left);
}

}  // namespace

QImage characterPicture(int index) {
    const Figure& figure = cast()[static_cast<size_t>(index)].figure;
    QImage sheet(64, 128, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter painter(&sheet);
    for (int row = 0; row < 4; ++row) {
        for (int step = 0; step < 2; ++step) {
            painter.drawImage(step * 32, row * 32, frame(figure, static_cast<Facing>(row), step));
        }
    }
    return sheet;
}

QString characterName(int index) {
    return QString::fromUtf8(cast()[static_cast<size_t>(index)].name);
}

}  // namespace assetgen
