// The browser back end's own: the page's animation frames, which drive a program that must
// never hold the page's thread (shell/page_main.cpp). Only the browser's build has it.
#pragma once

namespace plat {

// Calls `frame(arg)` once on each of the page's animation frames (about one a display refresh)
// until it returns false; then the page is told the game is over. Returns at once: the calls
// come after the program's main has returned.
void stepOnPageFrames(bool (*frame)(void*), void* arg);

}  // namespace plat
