// The program's side of the game: its start-up, and the host that steps it on a desktop (the
// game itself and the tools that run it headless use both).
#pragma once

#include "screens/game.h"

// Start-up, in this order: the window, the display (its failure shown in the error dialog,
// then the window asked to close), the music, "Wczytuję..." shown, the pictures, the keyboard
// (each failure reported again here), and the game's own set-up. False when the window cannot
// be made: nothing else is started.
bool startUp(Game& game);
// Steps the game until it ends, napping while it waits for the window to come back and
// sleeping until a curtain's next cell is due; its exit code.
int stepUntilTheEnd(Game& game);
// Start-up, then the steps: the game's whole run and its exit code (1 without a window).
int runGame(Game& game);
