#include "title/sound.h"

namespace velmora {

void StopAllSound(platform::CommandDevice& device) {
    device.send("close all");
}

}  // namespace velmora
