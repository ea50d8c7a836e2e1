#pragma once

#include "battle/frm_battle.h"
#include "core/game.h"
#include "map/frm_map.h"
#include "menu/frm_menu.h"
#include "title/frm_intro.h"

namespace velmora {

// The whole game: the shared state and its four screens, wired together.
class Velmora {
  public:
    explicit Velmora(Services services);

    Game game;
    frmMap map{game};
    frmMenu menu{game};
    frmBattle battle{game};
    frmIntro intro{game};
};

}  // namespace velmora
