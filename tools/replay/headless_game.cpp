#include "headless_game.h"

#include "shell/host.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace replay {

namespace hl = plat::headless;

std::uint64_t frameHash(const std::vector<std::uint16_t>& pixels) {
    // FNV-1a over 64-bit words of four pixels, each step folding the high half back into the
    // low one so that every pixel reaches every bit: the same on every machine, and fast enough
    // for thousands of frames.
    std::uint64_t hash = 0xCBF29CE484222325ull;
    const auto mix = [&hash](std::uint64_t word) {
        hash = (hash ^ word) * 0x100000001B3ull;
        hash ^= hash >> 32;
    };
    const std::size_t words = pixels.size() / 4;
    for (std::size_t i = 0; i < words; ++i) {
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < 4; ++k) word |= static_cast<std::uint64_t>(pixels[4 * i + k]) << (16 * k);
        mix(word);
    }
    for (std::size_t i = 4 * words; i < pixels.size(); ++i) mix(pixels[i]);
    return hash;
}

const char* screenName(Screen screen) {
    switch (screen) {
    case Screen::None:
        return "none";
    case Screen::Title:
        return "title";
    case Screen::HighScores:
        return "scores";
    case Screen::Story:
        return "story";
    case Screen::WhoPlays:
        return "who";
    case Screen::Play:
        return "play";
    case Screen::Pause:
        return "pause";
    case Screen::Lessons:
        return "lessons";
    case Screen::Result:
        return "result";
    }
    return "?";
}

std::string writeFrames(const std::vector<FrameMark>& frames) {
    std::string out;
    char line[64];
    for (const FrameMark& f : frames) {
        std::snprintf(line, sizeof line, "%llu %s %016llx\n", static_cast<unsigned long long>(f.poll), screenName(f.screen),
                      static_cast<unsigned long long>(f.hash));
        out += line;
    }
    return out;
}

HeadlessGame::HeadlessGame(ErrorReporter trace, std::string_view language) {
    hl::reset();
    hl::setTimeStep(1);
    hl::setTime(kStartTime);
    app = std::make_unique<Game>(std::move(trace), language);
}

HeadlessGame::~HeadlessGame() {
    hl::setPollHook(nullptr);
    hl::setPresentHook(nullptr);
    app.reset();
    hl::reset();
}

int HeadlessGame::run(Watch script, long maxPolls) {
    hl::setPollHook([this, script, maxPolls] {
        const long poll = static_cast<long>(hl::polls());
        if (poll == maxPolls) {
            timedOut = true;
            hl::postSystemClose();
        }
        if (poll < maxPolls && script) script(*app, poll);
    });
    const int code = runGame(*app);
    hl::setPollHook(nullptr);
    return code;
}

int HeadlessGame::replay(const Inputs& inputs, Watch watch) {
    std::size_t next = 0;
    while (next < inputs.size() && inputs[next].poll == 0) hl::apply(inputs[next++]);
    const long last = inputs.empty() ? 0 : static_cast<long>(inputs.back().poll);
    return run(
        [&inputs, &next, watch](Game& a, long poll) {
            while (next < inputs.size() && inputs[next].poll == static_cast<std::uint64_t>(poll)) hl::apply(inputs[next++]);
            if (watch) watch(a, poll);
        },
        last + kPollsPastTheEnd);
}

void HeadlessGame::hashFrames() {
    const auto hash = [this](const hl::Frame& frame) {
        frames.push_back({hl::polls(), app->screenShown(), frameHash(frame.pixels)});
    };
    hl::setPresentHook(hash);
}

}  // namespace replay
