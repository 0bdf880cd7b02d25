// Signals a running game answers itself, shared by both back ends: a hang-up (the terminal
// or the desktop session that started the game going away) is a request to close the window,
// as SIGTERM and SIGINT are, so a name being typed is saved; a file grown past the process's
// size limit fails that write (a full disk, told as such) instead of ending the game.
#pragma once

namespace plat::signals {

// From the window's creation to its destruction.
void watch();
void stopWatching();
// True once for each hang-up since the last call.
bool takeHangUp();

}  // namespace plat::signals
