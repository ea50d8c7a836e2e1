#include "core/game.h"

#include "core/form.h"

namespace velmora {

void Game::setScreens(Form& map, Form& menu, Form& battle, Form& intro) {
    map_ = &map;
    menu_ = &menu;
    battle_ = &battle;
    intro_ = &intro;
    for (Form* form : {map_, menu_, battle_, intro_}) {
        flow_.registerForm(*form);
    }
}

void Game::start() {
    flow_.deliver([this] { map_->show(); });
}

}  // namespace velmora
