// A whole game played headless, start to exit, for measuring the peak memory of a run
// (/usr/bin/time -v): the title, a new game, the story, seven levels won with their real
// backgrounds and block sheets (each level a short sum laid out in a row), a pause and resume,
// the ending, a name typed into the high-score table, the table shown again from the title,
// and the exit button.
#include "bench/scene.h"

#include "platform/headless.h"
#include "shell/application.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace hl = plat::headless;
namespace fs = std::filesystem;

void putLe32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((u >> (8 * b)) & 0xFF));
}

std::int32_t le32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int b = 3; b >= 0; --b) v = v << 8 | static_cast<unsigned char>(s[at + static_cast<std::size_t>(b)]);
    return static_cast<std::int32_t>(v);
}

// The background name stored in a generated level file ("laka.bmp" and so on).
std::string backgroundOf(const fs::path& levelFile) {
    std::ifstream in(levelFile, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 28) return "laka.bmp";
    const std::size_t at = 28 + 12 * static_cast<std::size_t>(le32(bytes, 0));
    if (at + 12 > bytes.size()) return "laka.bmp";
    const std::string name = bytes.substr(at, 12);
    return name.substr(0, name.find('\0'));
}

// A floor along the bottom row, the figure on it at the left, and 3, +, 4, = in a row to its
// right: holding Right takes them in order and wins (the board shows 7).
std::string levelBytes(const std::string& background) {
    std::string out;
    putLe32(out, 0);
    putLe32(out, 4);
    putLe32(out, 7);
    putLe32(out, 400);
    putLe32(out, 100);
    putLe32(out, 20);
    putLe32(out, 384);
    std::string name = background;
    name.resize(12, '\0');
    out += name;
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 20; ++column) putLe32(out, row == 13 ? column % 4 : -1);
    const std::int32_t bonuses[4][3] = {{60, 370, 3}, {120, 370, kBonusPlus}, {180, 370, 4}, {240, 370, kBonusEquals}};
    for (const auto& b : bonuses) {
        putLe32(out, b[0]);
        putLe32(out, b[1]);
        putLe32(out, b[2]);
        out.append(180, '\0');
    }
    return out;
}

struct Step {
    std::string what;
    std::function<bool(Application&)> when;
    std::function<void(Application&)> act;
};

bool storyShown(const Application& a) { return !a.onTitle && a.showStory && !a.paused && a.world->levelRunning; }
bool playing(const Application& a) {
    return !a.onTitle && !a.showStory && !a.paused && a.world->levelRunning && !a.world->levelOver;
}
bool resultShown(const Application& a) { return !a.paused && a.world->levelRunning && a.world->levelOver; }

class Script {
public:
    void then(std::string what, std::function<bool(Application&)> when, std::function<void(Application&)> act) {
        steps_.push_back({std::move(what), std::move(when), std::move(act)});
    }
    // Points at a spot, and clicks once the game lights the button there.
    void click(const std::string& what, int x, int y, std::int32_t code, std::function<bool(Application&)> when) {
        then("point at " + what, [](Application&) { return true; }, [x, y](Application&) { hl::setMouse(x, y); });
        then("click " + what, [when, code](Application& a) { return a.hoverButton == code && when(a); },
             [x, y](Application&) {
                 hl::postClick(x, y);
                 hl::setMouse(5, 470);
             });
    }
    // Holds a key until the high-score screen has sampled it.
    void key(const std::string& what, std::uint8_t scan) {
        auto sampled = std::make_shared<std::uint32_t>(0);
        then("press " + what, [](Application&) { return true; }, [sampled, scan](Application& a) {
            *sampled = a.lastTick;
            hl::setKey(scan, true);
        });
        then("release " + what, [sampled](Application& a) { return a.lastTick != *sampled; },
             [scan](Application&) { hl::setKey(scan, false); });
    }
    void poll(Application& a) {
        if (next_ < steps_.size() && steps_[next_].when(a)) steps_[next_++].act(a);
    }
    bool finished() const { return next_ == steps_.size(); }
    const std::string& waiting() const { return steps_[next_].what; }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

}  // namespace

int main() {
    const fs::path data = bench::gameDataDir();
    bench::GameFolder folder(data, false);
    fs::create_directory("level");
    for (int n = 1; n <= 7; ++n) {
        const std::string file = "level" + std::to_string(n) + ".lvl";
        std::ofstream(fs::path("level") / file, std::ios::binary) << levelBytes(backgroundOf(data / "level" / file));
    }

    const auto always = [](Application&) { return true; };
    Script script;
    script.click("new game", 328, 168, kHoverNewGame, [](Application& a) { return a.onTitle; });
    script.click("START", 320, 278, kHoverStart, storyShown);
    script.then("pause", playing, [](Application&) { hl::postEscape(); });
    script.click("back to the game", 320, 210, kHoverResume, [](Application& a) { return a.paused; });
    for (int level = 1; level <= 7; ++level) {
        script.then("hold Right", playing, [](Application&) { hl::setKey(0xCD, true); });
        script.then("release Right", resultShown, [](Application&) { hl::setKey(0xCD, false); });
        script.click("DALEJ", 320, 278, kHoverNextWon, resultShown);
    }
    script.then("the table", [](Application& a) { return a.onNameEntry && a.world->entryRow >= 0; },
                [](Application&) {});
    script.key("A", 0x1E);
    script.key("L", 0x26);
    script.key("A", 0x1E);
    script.key("Enter", 0x1C);
    script.then("leave the table", always, [](Application&) { hl::postEscape(); });
    script.click("high scores", 328, 238, kHoverHighScores, [](Application& a) { return a.onTitle; });
    script.then("leave the table again", [](Application& a) { return a.onNameEntry; },
                [](Application&) { hl::postEscape(); });
    script.click("exit", 328, 308, kHoverExit, [](Application& a) { return a.onTitle; });

    hl::reset();
    hl::setTimeStep(1);
    hl::setTime(1'000'000);
    auto app = std::make_unique<Application>();
    long polls = 0;
    constexpr long kMaxPolls = 5'000'000;
    hl::setPollHook([&] {
        if (++polls == kMaxPolls) hl::postSystemClose();
        if (polls < kMaxPolls) script.poll(*app);
    });
    const int code = app->run();
    hl::setPollHook(nullptr);
    const int score = app->world != nullptr ? app->world->hiScores[0] : 0;
    std::printf("whole game: exit code %d, %zu frames flipped, %ld polls, best score %d\n", code,
                hl::flipCount(), polls, score);
    if (!script.finished()) {
        std::fprintf(stderr, "whole game: stuck waiting for: %s\n", script.waiting().c_str());
        return 1;
    }
    return code;
}
