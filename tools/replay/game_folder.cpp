#include "game_folder.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace replay {

namespace fs = std::filesystem;

GameFolder::GameFolder(const fs::path& gameDir) {
    std::error_code ec;
    previous_ = fs::current_path(ec);
    std::string pattern = (fs::temp_directory_path(ec) / "kalkulon-game-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    for (const char* part : {"gfx", "level", "music"}) {
        const fs::path data = fs::absolute(gameDir / part, ec);
        if (!fs::is_directory(data, ec)) return;
        fs::create_directory_symlink(data, path_ / part, ec);
        if (ec) return;
    }
    fs::current_path(path_, ec);
    ok_ = !ec;
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    if (!previous_.empty()) fs::current_path(previous_, ignored);
    if (!path_.empty()) fs::remove_all(path_, ignored);  // the links go, never what they point at
}

}  // namespace replay
