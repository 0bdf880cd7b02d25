// Which screen shows, from the flags the screens keep: the title and the high-score screen run
// from the main loop; while a level runs, the pause menu covers everything, then the story,
// and a finished level shows its result box.
#include "screens/game.h"

Screen Game::screenShown() const {
    if (world == nullptr) return Screen::None;
    if (onTitle) return Screen::Title;
    if (world->levelRunning) {
        if (paused) return Screen::Pause;
        if (showStory) return Screen::Story;
        return world->levelOver ? Screen::Result : Screen::Play;
    }
    return onNameEntry ? Screen::HighScores : Screen::None;
}
