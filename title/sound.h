#pragma once

#include "platform/mci.h"

namespace velmora {

// Silences all music: closes every device the game has open.
void StopAllSound(platform::CommandDevice& device);

}  // namespace velmora
