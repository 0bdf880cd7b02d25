// Where the 640 x 480 frame sits in a window of any size, and where a mouse position in the
// window falls in the frame. Pure functions: no SDL, table-tested.
#pragma once

#include "platform/platform.h"

namespace plat {

struct Letterbox {
    int x = 0;  // the scaled frame inside the window
    int y = 0;
    int width = 0;
    int height = 0;
    int wholeScale = 1;  // largest whole multiple of the frame that fits (at least 1)
};

// The frame scaled to fit the window with its aspect kept, centred, black bars elsewhere.
Letterbox fitFrame(int windowWidth, int windowHeight, int frameWidth, int frameHeight);
// A window position mapped into the frame, clamped to 0..frameWidth-1, 0..frameHeight-1.
Point windowToFrame(const Letterbox& box, int windowX, int windowY, int frameWidth, int frameHeight);

// The window as it really is: its size in the points mouse positions come in, and the pixels
// drawn (more than the points under HiDPI scaling).
struct WindowSize {
    int pointWidth = 0;
    int pointHeight = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
};
// A mouse position in window points mapped into the frame fitted to the window's pixels.
Point pointToFrame(const WindowSize& window, int pointX, int pointY, int frameWidth, int frameHeight);

}  // namespace plat
