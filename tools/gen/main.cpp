// kalkulon_gen LEVEL_SOURCE_DIR GAME_DIR
// Writes gfx/, level/ and music/ of the game folder from the level sources and the drawing
// code of this folder, and for each language beside Polish gfx/<language>/ with its own
// captioned pictures; in each language's gfx/plain/ the backgrounds without painted signs, for
// lessons. The output is the same bytes on every run.
#include "image.h"
#include "lessons/level_binary.h"
#include "lessons/level_text.h"
#include "lessons/pack.h"
#include "modfile.h"
#include "pictures.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);  // gfx/<language>/
    if (lvl::writeFile(path, bytes)) return true;
    std::fprintf(stderr, "kalkulon_gen: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalkulon_gen LEVEL_SOURCE_DIR GAME_DIR\n");
        return 2;
    }
    const std::string levelDir = argv[1];
    const std::string out = argv[2];
    std::error_code ec;
    bool ok = true;
    std::vector<lvl::Level> levels;
    ok &= write(out + "/gfx/gracz1.bmp", gen::encodeBmp(gen::makePlayerSheet()));
    for (int n = 1; n <= 7; ++n) {
        const std::string name = std::to_string(n);
        const std::string file = levelDir + "/level" + name + ".txt";
        std::string text;
        std::vector<lvl::Problem> problems;
        lvl::LevelSource source;
        if (lvl::readSourceFile(file, file, text, problems)) lvl::readLevelText(text, file, nullptr, source, problems);
        if (!problems.empty()) {
            lvl::report(stderr, problems, lvl::Language::English);
            return 1;
        }
        const lvl::Level& level = source.level;
        ok &= write(out + "/level/level" + name + ".lvl", lvl::encodeLevel(level));
        ok &= write(out + "/gfx/klocki" + name + ".bmp", gen::encodeBmp(gen::makeBlocks(n)));
        levels.push_back(level);
    }
    for (std::string_view language : texts::languages()) {
        const texts::Texts words(language);
        const std::string gfx = out + (words.polish() ? "/gfx/" : "/gfx/" + std::string(language) + "/");
        std::filesystem::create_directories(gfx + lvl::kPlainFolder, ec);
        ok &= write(gfx + "butony.bmp", gen::encodeBmp(gen::makeButtonSheet(words)));
        ok &= write(gfx + "title.bmp", gen::encodeBmp(gen::makeTitle(words)));
        ok &= write(gfx + "hiscore.bmp", gen::encodeBmp(gen::makeHighScore(words)));
        for (int n = 1; n <= 7; ++n) {
            const lvl::Level& level = levels[static_cast<std::size_t>(n - 1)];
            ok &= write(gfx + level.background, gen::encodeBmp(gen::makeBackground(n, level, words)));
            ok &= write(gfx + lvl::kPlainFolder + "/" + level.background,
                        gen::encodeBmp(gen::makeBackground(n, level, words, true)));
        }
    }
    ok &= write(out + "/music/3dparadise.mod", gen::makeSong());
    return ok ? 0 : 1;
}
