#include "support/virtual_pad.h"

#include <QCoreApplication>
#include <stdexcept>

namespace testing_support {

VirtualPad::VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = index < 0 ? nullptr : SDL_JoystickOpen(index);
    if (joystick_ == nullptr) {
        throw std::runtime_error(std::string("no virtual pad: ") + SDL_GetError());
    }
}

void VirtualPad::stick(int x, int y) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
}

void VirtualPad::unplug() {
    if (joystick_ == nullptr) {
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
}

void PadGame::play(int ms) {
    for (int t = 0; t < ms; t += 10) {
        h.advance(10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        h.advance(0);
    }
}

}  // namespace testing_support
