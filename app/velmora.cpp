#include "app/velmora.h"

namespace velmora {

Velmora::Velmora(Services services) : game(std::move(services)) {
    game.setScreens(map, menu, battle, intro);
}

}  // namespace velmora
