// A whole game run headless in the working folder, start to end, with its inputs coming from a
// script that looks at the game on every poll of the message queue, or from a recording played
// back poll by poll. Every presented frame can be hashed on the way.
#pragma once

#include "recording.h"

#include "platform/headless.h"
#include "screens/game.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace replay {

// A frame as presented: the poll it came after, the screen shown then, and its pixels' hash.
struct FrameMark {
    std::uint64_t poll = 0;
    Screen screen = Screen::None;
    std::uint64_t hash = 0;
    friend bool operator==(const FrameMark&, const FrameMark&) = default;
};

// A hash of a frame's pixels that stays the same on every machine.
std::uint64_t frameHash(const std::vector<std::uint16_t>& pixels);
// "title", "play" and so on.
const char* screenName(Screen screen);
// One line per frame: "<poll> <screen> <hash>".
std::string writeFrames(const std::vector<FrameMark>& frames);

class HeadlessGame {
public:
    // The clock starts where a machine that has been up for a while would be, and moves 1 ms
    // on every read.
    static constexpr std::uint32_t kStartTime = 1'000'000;
    // How long a played-back game may go on after its last input before it is closed.
    static constexpr long kPollsPastTheEnd = 20'000;

    // The headless machine made fresh and a new game in `language`, whose trace goes where
    // `trace` says: nowhere unless told.
    explicit HeadlessGame(ErrorReporter trace = {}, std::string_view language = "pl");
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    using Watch = std::function<void(Game&, long poll)>;
    // Runs the game to its end, stepped by the desktop's host (whose waits do nothing headless);
    // `script` sees it on every poll with the poll's number. After
    // `maxPolls` polls the window is closed as a safety net (and timedOut set), so a script that
    // goes wrong ends instead of hanging. The game's exit code.
    int run(Watch script, long maxPolls = 2'000'000);
    // Plays `inputs` back, each at its poll; `watch`, if any, sees the game on every poll after
    // them. A game still running kPollsPastTheEnd polls after the last input is closed
    // (timedOut).
    int replay(const Inputs& inputs, Watch watch = nullptr);

    // From now on every presented frame is hashed into `frames`.
    void hashFrames();

    std::unique_ptr<Game> app;
    bool timedOut = false;
    std::vector<FrameMark> frames;
};

}  // namespace replay
