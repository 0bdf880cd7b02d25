// The main window: its class name (also its caption), whether it exists, and whether the
// application is the active one.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>

class GameWindow {
public:
    void setClassName(const char* name) { className = name; }
    // Creates and shows the window; 1 on success, 0 on failure.
    int create(plat::WindowProc proc, void* owner, int width, int height);
    // Sends the close message and returns once it has been handled: the window is gone and the
    // quit message is queued.
    void close();

    bool exists = false;  // the window exists
    std::int32_t active = 0;
    std::string className;
};
