// The installed lesson packs as the game's lesson chooser offers them (screens/lessons.h): each
// by its title, a pack that cannot be read marked with why, and the way into a pack's game
// folder and back to the classic game's.
#pragma once

#include "lessons/language.h"
#include "screens/lessons.h"

#include <filesystem>

// The packs installed for the game whose data is in `dataFolder` (the working folder at
// start-up); none when there are no packs or no data. Entering a pack proves it first, as
// --pack does; one that fails is refused with why, in the game's `language`.
LessonShelf installedLessons(const std::filesystem::path& dataFolder, lvl::Language language);
