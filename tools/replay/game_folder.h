// A scratch folder for a game run by a tool: made under the system's temporary folder with
// links to the game's data (gfx, level, music), and made the working directory, where the
// game writes its trace and its table. Removed again, links only, when the object goes.
#pragma once

#include <filesystem>

namespace replay {

class GameFolder {
public:
    // False in ok() when the folder cannot be made or `gameDir` holds no data.
    explicit GameFolder(const std::filesystem::path& gameDir);
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    bool ok() const { return ok_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
    bool ok_ = false;
};

}  // namespace replay
