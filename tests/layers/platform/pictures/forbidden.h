#pragma once

// A picture header that reaches up into the music device, which the pictures may not use.
#include <vector>
#include "platform/audio/midi_player.h"
#include "platform/base/clock.h"
#include "platform/pictures/surface.h"
