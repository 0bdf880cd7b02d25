// State the SDL back end's files share: the window, its renderer and frame texture (or the
// window's own pixels), and whether the window has the keyboard focus.
#pragma once

#include "platform/letterbox.h"
#include "platform/platform.h"

#include <SDL.h>

#include <cstdint>

namespace plat::sdl {

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* frame = nullptr;     // width x height, RGB565, streaming
    SDL_Texture* upscaled = nullptr;  // frame scaled by a whole multiple, nearest neighbour
    int upscaledFactor = 0;
    bool windowPixels = false;  // frames scaled on our side into the window's pixels
    SDL_Cursor* crosshair = nullptr;
    WindowProc proc = nullptr;
    void* owner = nullptr;
    int frameWidth = 640;
    int frameHeight = 480;
    bool focused = false;
    bool vsync = true;
    Uint32 lastFlip = 0;
    double refreshMs = 1000.0 / 60.0;
};

WindowState& state();
// Called by the window code when the window gains or loses the foreground.
void keyboardFocusChanged(bool focused);
// Called by the window code for every key going down (not for a desktop's repeat), for the
// desktop's repeats of a held key, and for every key let go.
void keyPressed(const SDL_Keysym& key);
void keyRepeated(const SDL_Keysym& key);
void keyReleased(const SDL_Keysym& key);
// The size in pixels of the picture shown, when one is shown (the renderer's output, or the
// window's pixels); false leaves the arguments as they were.
bool drawableSize(int& width, int& height);
// Called by the window code when the window system asks for the window to be drawn again.
void windowExposed();
// Starts SDL's video on a desktop; false, with the reason on standard error, when there is
// none (unless a video driver was asked for by name).
bool startVideo();

// Queues a message for the window procedure.
void postMessage(const Message& msg);

// Game controllers (sdl_gamepad.cpp), opened and closed with the input object.
void gamepadsOpen();
void gamepadsClose();
// Called by the window code for every game-controller event.
void gamepadEvent(const SDL_Event& e);
// Sets the keys the pads hold in a keyboard snapshot.
void addGamepadKeys(std::uint8_t state[256]);
// A key press a pad made, taken for typing as a keyboard's press is.
void padKeyPressed(std::uint8_t scanCode);
// The press a held D-pad direction repeats now, or 0.
std::uint8_t gamepadRepeat();

}  // namespace plat::sdl
