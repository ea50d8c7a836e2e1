// Walking the leader with the arrow keys and switching its picture with Page Up, Page Down
// and the sprite-number box. Every key press schedules one repaint 10 ms later.

#include <array>
#include <cmath>

#include "core/game.h"
#include "map/frm_map.h"
#include "map/frm_map_controls.h"
#include "map/leading_number.h"
#include "platform/input/key_codes.h"

namespace velmora {
namespace {

constexpr int kStepPixels = 16;
constexpr int kRepaintMs = 10;

enum class Edge { Top, Bottom, Left, Right };

// One row of the walking table: for this key in this step phase, show this cell and, unless
// the leader stands against `edge`, step 16 pixels and flip the phase.
struct WalkRow {
    int key;
    int step;
    int cellX;
    int cellY;
    Edge edge;
    int dx;
    int dy;
};

constexpr std::array<WalkRow, 8> kWalkRows{{
    {platform::key::Up, 0, 32, 0, Edge::Top, 0, -kStepPixels},
    {platform::key::Up, 1, 0, 0, Edge::Top, 0, -kStepPixels},
    {platform::key::Down, 0, 32, 64, Edge::Bottom, 0, kStepPixels},
    {platform::key::Down, 1, 0, 64, Edge::Bottom, 0, kStepPixels},
    {platform::key::Left, 0, 32, 96, Edge::Left, -kStepPixels, 0},
    {platform::key::Left, 1, 0, 96, Edge::Left, -kStepPixels, 0},
    {platform::key::Right, 0, 32, 32, Edge::Right, kStepPixels, 0},
    {platform::key::Right, 1, 0, 32, Edge::Right, kStepPixels, 0},
}};

}  // namespace

void frmMap::Form_KeyDown(Int16 keyCode, Int16 /*shift*/) {
    if (keyCode == platform::key::Escape) {
        // The key press goes on once the menu has closed, unless the menu closed this screen.
        game().frmMenu().showModal([this, keyCode] {
            if (isLoaded()) {
                finishKey(keyCode);
            }
        });
        return;
    }
    finishKey(keyCode);
}

void frmMap::finishKey(Int16 keyCode) {
    walkOrSwitch(keyCode);
    ui().tmrChar.setInterval(kRepaintMs);
}

void frmMap::walkOrSwitch(Int16 keyCode) {
    if (keyCode == platform::key::PageUp) {
        switchSprite(+1);
        return;
    }
    if (keyCode == platform::key::PageDown) {
        switchSprite(-1);
        return;
    }
    if (ui().tmrChar.interval() != 0) {
        return;  // a repaint is pending: walking waits for it
    }
    // The walking limits use the display's size in pixels as a real number.
    const double widthPixels = display().widthTwips / display().twipsPerPixelX;
    const double heightPixels = display().heightTwips / display().twipsPerPixelY;
    for (const WalkRow& row : kWalkRows) {
        if (row.key != keyCode.value() || row.step != CharStep[1].value()) {
            continue;
        }
        CharSrcX[1] = row.cellX;
        CharSrcY[1] = row.cellY;
        const double x = CharX[1].value();
        const double y = CharY[1].value();
        bool canMove = false;
        switch (row.edge) {
            case Edge::Top:
                canMove = y > 0;
                break;
            case Edge::Bottom:
                canMove = heightPixels - 32 > y;
                break;
            case Edge::Left:
                canMove = x > 0;
                break;
            case Edge::Right:
                canMove = widthPixels - 32 > x;
                break;
        }
        if (canMove) {
            CharStep[1] = 1 - row.step;
            CharX[1] += row.dx;
            CharY[1] += row.dy;
        }
        return;
    }
}

void frmMap::switchSprite(int delta) {
    const Int32 next = Int32(game().modChar.PartySprite[1]) + delta;
    if (next.value() >= 0 && next.value() <= SpriteSheet::kCount - 1) {
        game().modChar.PartySprite[1] = next.value();
        ui().txtChar.setText(QString::number(next.value()));
    }
}

void frmMap::txtChar_Change() {
    const double v = leadingNumber(ui().txtChar.text());
    if (v >= 0 && v <= SpriteSheet::kCount - 1) {
        game().modChar.PartySprite[1] = cint(v);
    }
}

void frmMap::tmrChar_Timer() {
    ui().picMap.cls();
    DrawMap();
    ui().tmrChar.setInterval(0);
}

}  // namespace velmora
