#pragma once

#include <QColor>
#include <variant>
#include <vector>

#include "creature.h"
#include "look.h"

namespace assetgen::cast {

using Figure = std::variant<Look, CreatureLook>;

struct Member {
    const char* name = "";
    Figure figure;
};

using Table = std::vector<Member>;

inline QColor hex(int v) {
    return QColor((v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);
}

// Skin tones.
inline const QColor kFair = hex(0xf2c8a0);
inline const QColor kWarm = hex(0xe0a878);
inline const QColor kTan = hex(0xc08058);
inline const QColor kDeep = hex(0x8a5a3c);
inline const QColor kPale = hex(0xf4dcc8);

inline Look person(Build b, QColor skin, Hair hair, QColor hairColour, Outfit o, QColor top,
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

inline void put(Table& t, int index, const char* name, Figure f) {
    t[static_cast<size_t>(index)] = Member{name, f};
}

void addParty(Table& t);
void addFoes(Table& t);
void addTownsfolk(Table& t);
void addFighters(Table& t);
void addMonsters(Table& t);

}  // namespace assetgen::cast
