// kalkulon_gen LEVEL_SOURCE_DIR GAME_DIR
// Writes gfx/, level/ and music/ of the game folder from the level sources and the drawing
// code of this folder. The output is the same bytes on every run.
#include "image.h"
#include "level.h"
#include "modfile.h"
#include "pictures.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (gen::writeFile(path, bytes)) return true;
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
    bool ok = true;
    ok &= write(out + "/gfx/butony.bmp", gen::encodeBmp(gen::makeButtonSheet()));
    ok &= write(out + "/gfx/gracz1.bmp", gen::encodeBmp(gen::makePlayerSheet()));
    ok &= write(out + "/gfx/title.bmp", gen::encodeBmp(gen::makeTitle()));
    ok &= write(out + "/gfx/hiscore.bmp", gen::encodeBmp(gen::makeHighScore()));
    for (int n = 1; n <= 7; ++n) {
        const std::string name = std::to_string(n);
        std::string source, error;
        gen::Level level;
        if (!readText(levelDir + "/level" + name + ".txt", source)) {
            std::fprintf(stderr, "kalkulon_gen: cannot read level%d.txt\n", n);
            return 1;
        }
        if (!gen::parseLevel(source, level, error)) {
            std::fprintf(stderr, "kalkulon_gen: level%d.txt %s\n", n, error.c_str());
            return 1;
        }
        ok &= write(out + "/level/level" + name + ".lvl", gen::compileLevel(level));
        ok &= write(out + "/gfx/klocki" + name + ".bmp", gen::encodeBmp(gen::makeBlocks(n)));
        ok &= write(out + "/gfx/" + level.background, gen::encodeBmp(gen::makeBackground(n, level)));
    }
    ok &= write(out + "/music/3dparadise.mod", gen::makeSong());
    return ok ? 0 : 1;
}
