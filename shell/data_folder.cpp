#include "shell/data_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

bool holdsGameData(const fs::path& folder) {
    std::error_code ec;
    for (const char* part : {"gfx", "level", "music"})
        if (!fs::is_directory(folder / part, ec)) return false;
    return true;
}

DataFolder enterDataFolder(const fs::path& executable) {
    DataFolder result;
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    const char* launcher = std::getenv("KALKULON_START_DIR");  // set by the installed game's launcher
    result.started = launcher != nullptr && *launcher != '\0' ? fs::path(launcher) : here;
    if (holdsGameData(".")) {
        result.found = true;
        return result;
    }
    const fs::path beside = fs::absolute(executable, ec).parent_path();
    if (!beside.empty() && holdsGameData(beside) && ::chdir(beside.c_str()) == 0) {
        result.found = true;
        return result;
    }
    std::string where = "not in " + here.string();
    if (!beside.empty() && beside != here) where = "neither in " + here.string() + " nor beside the game in " + beside.string();
    result.notFound = "no game data: gfx/, level/ and music/ are " + where +
                      "; build them with scripts/play, or start the game in its data folder";
    return result;
}

fs::path runningExecutable(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty()) self = argv0 != nullptr ? fs::path(argv0) : fs::path();
    return self;
}
