// The lessons a child may choose from the title: the classic game first, then each installed
// lesson pack by its title. The game only shows them and asks for one; the shell knows where
// they are and makes a game folder for the one chosen (shell/lesson_shelf.h), so the screens
// never read a pack themselves.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct Lesson {
    std::string title;   // UTF-8
    std::string broken;  // why it cannot be played (UTF-8, in the game's language); empty when it can
};

// What the game takes over from a lesson once its folder is entered.
struct LessonStart {
    std::string title;  // shown while it is played and above its table, and kept by the records (UTF-8)
    bool showFrameRate = true;
};

struct LessonShelf {
    std::vector<Lesson> lessons;  // none: the title is the classic one and NOWA GRA plays at once
    // Makes lesson `index` the game's folder (its levels, pictures and table); false, with why
    // (UTF-8, in the game's language), when it cannot be played, and the folder is then as it was.
    std::function<bool(std::size_t index, LessonStart& start, std::string& why)> enter;
    // Makes the classic game's folder the game's folder again.
    std::function<void()> enterClassic;
};
