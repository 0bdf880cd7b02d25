#include "shell/lesson_shelf.h"

#include "lessons/pack.h"
#include "platform/cp1250.h"
#include "shell/lesson_packs.h"

#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr lvl::Language kChildsLanguage = lvl::Language::Polish;

// The first mistake, named by the pack's own file (a teacher finds it), in the game's bytes.
std::string firstMistake(const std::vector<lvl::Problem>& problems, const lvl::Text& why) {
    if (problems.empty()) return plat::fromUtf8(why.in(kChildsLanguage));
    lvl::Problem first = problems.front();
    first.file = fs::path(first.file).filename().string();
    return plat::fromUtf8(first.format(kChildsLanguage));
}

struct Shelf {
    lvl::Installed installed;
    std::vector<lvl::PackEntry> packs;
    fs::path dataFolder;
};

bool enterLesson(const Shelf& shelf, std::size_t index, LessonStart& start, std::string& why) {
    if (index >= shelf.packs.size()) return false;
    lvl::PackChoice choice;
    lvl::Text error;
    PackGame game;
    if (!lvl::resolvePack(shelf.packs[index].folder.string(), shelf.dataFolder, {}, choice, error)) {
        why = plat::fromUtf8(error.in(kChildsLanguage));
        return false;
    }
    const bool ready = preparePack(choice, shelf.installed, shelf.dataFolder, game);
    std::error_code ec;
    if (ready) fs::current_path(game.folder, ec);
    if (!ready || ec) {
        lvl::report(stderr, game.problems, kChildsLanguage);
        std::fprintf(stderr, "%s\n", game.why.in(kChildsLanguage).c_str());
        why = firstMistake(game.problems, ec ? lvl::Text{ec.message(), ec.message()} : game.why);
        return false;
    }
    start.title = plat::fromUtf8(game.pack.title);
    start.packTitle = game.pack.title;
    start.showFrameRate = game.pack.settings.showFrameRate;
    return true;
}

}  // namespace

LessonShelf installedLessons(const fs::path& dataFolder) {
    LessonShelf out;
    auto shelf = std::make_shared<Shelf>();
    lvl::Text error;
    std::error_code ec;
    shelf->dataFolder = fs::absolute(dataFolder, ec);
    if (!lvl::findInstalled(shelf->dataFolder, shelf->installed, error)) return out;
    shelf->packs = lvl::listPacks(lvl::packRoots(shelf->installed));
    for (const lvl::PackEntry& entry : shelf->packs) {
        lvl::Pack pack;
        std::vector<lvl::Problem> problems;
        const bool read = lvl::readPack(entry.folder, shelf->installed.scenery, pack, problems);
        out.lessons.push_back({plat::fromUtf8(entry.title), read ? std::string() : firstMistake(problems, {})});
    }
    out.enter = [shelf](std::size_t index, LessonStart& start, std::string& why) {
        return enterLesson(*shelf, index, start, why);
    };
    out.enterClassic = [shelf] {
        std::error_code err;
        fs::current_path(shelf->dataFolder, err);
    };
    return out;
}
