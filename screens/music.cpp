// The background music: loaded silent and looping at start-up, faded in over the first active
// frames, closed only when the player leaves through the title menu.
#include "screens/game.h"

void Game::startMusic() {
    song = 0;
    musicVolume = 0;
    plat::musicInit(44100, 32);
    song = plat::musicLoad("music\\3dparadise.mod");
    plat::musicSetVolume(song, musicVolume);
    plat::musicSetLooping(song, true);
    plat::musicPlay(song);
}

void Game::fadeInMusic() {
    if (musicVolume >= kMaxMusicVolume) return;
    musicVolume += 1;
    plat::musicSetVolume(song, musicVolume);
}

void Game::closeMusic() {
    plat::musicStop(song);
    plat::musicFree(song);
    plat::musicClose();
    song = 0;  // nothing uses the freed song afterwards
}
