#include "shell/lesson_shelf.h"

#include "lessons/pack.h"
#include "shell/lesson_packs.h"

#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Shelf {
    lvl::Installed installed;
    std::vector<lvl::PackEntry> packs;
    fs::path dataFolder;
    lvl::Language language = lvl::Language::Polish;  // the game's: its child reads why
};

// The first mistake, named by the pack's own file (a teacher finds it).
std::string firstMistake(const std::vector<lvl::Problem>& problems, const lvl::Text& why, lvl::Language language) {
    if (problems.empty()) return why.in(language);
    lvl::Problem first = problems.front();
    first.file = fs::path(first.file).filename().string();
    return first.format(language);
}

bool enterLesson(const Shelf& shelf, std::size_t index, LessonStart& start, std::string& why) {
    if (index >= shelf.packs.size()) return false;
    lvl::PackChoice choice;
    lvl::Text error;
    PackGame game;
    if (!lvl::resolvePack(shelf.packs[index].folder.string(), shelf.dataFolder, {}, choice, error)) {
        why = error.in(shelf.language);
        return false;
    }
    const bool ready = preparePack(choice, shelf.installed, shelf.dataFolder, game);
    std::error_code ec;
    if (ready) fs::current_path(game.folder, ec);
    if (!ready || ec) {
        lvl::report(stderr, game.problems, shelf.language);
        std::fprintf(stderr, "%s\n", game.why.in(shelf.language).c_str());
        why = firstMistake(game.problems, ec ? lvl::Text{ec.message(), ec.message(), ec.message()} : game.why, shelf.language);
        return false;
    }
    start.title = game.pack.title;
    start.showFrameRate = game.pack.settings.showFrameRate;
    return true;
}

}  // namespace

LessonShelf installedLessons(const fs::path& dataFolder, lvl::Language language) {
    LessonShelf out;
    auto shelf = std::make_shared<Shelf>();
    shelf->language = language;
    lvl::Text error;
    std::error_code ec;
    shelf->dataFolder = fs::absolute(dataFolder, ec);
    if (!lvl::findInstalled(shelf->dataFolder, shelf->installed, error)) return out;
    shelf->packs = lvl::listPacks(lvl::packRoots(shelf->installed));
    for (const lvl::PackEntry& entry : shelf->packs) {
        lvl::Pack pack;
        std::vector<lvl::Problem> problems;
        const bool read = lvl::readPack(entry.folder, shelf->installed.scenery, pack, problems);
        out.lessons.push_back({entry.title, read ? std::string() : firstMistake(problems, {}, language)});
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
