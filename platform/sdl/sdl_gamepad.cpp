// Gamepads through SDL's game-controller API: each one is opened as it is plugged in (those
// already there when the input starts are announced as if just plugged) and closed when it
// goes; its buttons and left stick become the keys they stand for (platform/gamepads.h).
// Joysticks SDL knows no controller layout for are left alone. SDL holds back presses while
// another window is in front and still reports letting go.
#include "platform/gamepads.h"
#include "platform/sdl/library_noise.h"
#include "platform/sdl/sdl_state.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace plat::sdl {

namespace {

struct CloseController {
    void operator()(SDL_GameController* c) const { SDL_GameControllerClose(c); }
};
using Controller = std::unique_ptr<SDL_GameController, CloseController>;

struct Pads {
    bool started = false;
    std::vector<std::pair<SDL_JoystickID, Controller>> open;
    Gamepads keys;
};

Pads& pads() {
    static auto* p = new Pads;  // outlives the application object's destructor
    return *p;
}

PadButton buttonOf(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return PadButton::South;
    case SDL_CONTROLLER_BUTTON_B:
        return PadButton::East;
    case SDL_CONTROLLER_BUTTON_START:
        return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return PadButton::DpadRight;
    default:
        return PadButton::Other;
    }
}

PadAxis axisOf(Uint8 axis) {
    switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        return PadAxis::LeftX;
    case SDL_CONTROLLER_AXIS_LEFTY:
        return PadAxis::LeftY;
    default:
        return PadAxis::Other;
    }
}

void send(PadKey key) {
    if (!state().focused) return;
    if (key.press != 0) padKeyPressed(key.press);
    if (key.message != 0) postMessage({kMsgKeyDown, key.message, 0});
}

// Opens every controller not open yet. The device index an event names may be stale by the
// time it is read (a pad pulled out meanwhile renumbers the rest), so all are looked at.
void plugged() {
    auto& p = pads();
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        const bool isOpen = std::any_of(p.open.begin(), p.open.end(), [id](const auto& o) { return o.first == id; });
        if (id < 0 || isOpen || !SDL_IsGameController(index)) continue;
        Controller controller{SDL_GameControllerOpen(index)};
        if (!controller) continue;
        p.keys.plug(id);
        p.open.emplace_back(id, std::move(controller));
    }
}

void unplugged(SDL_JoystickID id) {
    auto& p = pads();
    p.keys.unplug(id);
    std::erase_if(p.open, [id](const auto& o) { return o.first == id; });
}

}  // namespace

void gamepadsOpen() {
    auto& p = pads();
    // Without the controller subsystem the game is played with the keyboard alone.
    if (!p.started) p.started = quietly([] { return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER); }) == 0;
}

void gamepadsClose() {
    auto& p = pads();
    if (!p.started) return;
    p.open.clear();
    p.keys = Gamepads{};
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    p.started = false;
}

void gamepadEvent(const SDL_Event& e) {
    auto& p = pads();
    if (!p.started) return;
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        plugged();
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        unplugged(e.cdevice.which);
        plugged();  // a pad plugged in just before may have lost its own event to this removal
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        send(p.keys.button(e.cbutton.which, buttonOf(e.cbutton.button), e.cbutton.state == SDL_PRESSED, e.cbutton.timestamp));
        break;
    case SDL_CONTROLLERAXISMOTION:
        send(p.keys.axis(e.caxis.which, axisOf(e.caxis.axis), e.caxis.value));
        break;
    default:
        break;
    }
}

void addGamepadKeys(std::uint8_t state[256]) { pads().keys.addHeld(state); }

std::uint8_t gamepadRepeat() { return state().focused ? pads().keys.dueRepeat(SDL_GetTicks()) : 0; }

}  // namespace plat::sdl
