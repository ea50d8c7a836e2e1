// Preloaded into the live game (LD_PRELOAD) by live_cpu.sh: as soon as the game has started
// SDL's game controllers, a virtual pad is plugged in and left untouched, so that the live
// measurement sees the game looking at a connected pad. Says on stderr when the game opens it.

#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>

extern "C" {

DECLSPEC int SDLCALL SDL_InitSubSystem(Uint32 flags) {
    using Init = int (*)(Uint32);
    static const auto real = reinterpret_cast<Init>(dlsym(RTLD_NEXT, "SDL_InitSubSystem"));
    const int result = real(flags);
    if (result == 0 && (flags & SDL_INIT_GAMECONTROLLER) != 0) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        if (SDL_JoystickAttachVirtualEx(&desc) < 0) {
            std::fprintf(stderr, "virtual pad: %s\n", SDL_GetError());
        }
    }
    return result;
}

DECLSPEC SDL_GameController* SDLCALL SDL_GameControllerOpen(int index) {
    using Open = SDL_GameController* (*)(int);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "SDL_GameControllerOpen"));
    SDL_GameController* controller = real(index);
    if (controller != nullptr) {
        std::fprintf(stderr, "virtual pad: the game opened %s\n",
                     SDL_GameControllerName(controller));
    }
    return controller;
}
}
