#include "lessons/solver.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <queue>
#include <set>
#include <unordered_map>

namespace solver {

namespace {

constexpr std::uint8_t kActions[6] = {kNone, kLeft, kRight, kUp, kLeft | kUp, kRight | kUp};

// How many more tokens the text needs, at the least, to be finished into `target` with the
// remaining tokens (counts per type 1..13), taken as the game takes them, before "=" is
// touched; kNever when it cannot be done, kUnknown when the question has cost too much (a
// level of many tokens), which counts as hopeful.
constexpr int kNever = -1;
constexpr int kUnknown = -2;
constexpr long kMostFinisherSteps = 300'000;
constexpr std::size_t kLongestText = kCollectedSize - 1;  // the game takes no more

// How many tokens of each type but "=" lie in the level, indexed by type.
using TokenCounts = std::array<int, kTokenEquals>;

bool hasEquals(const lvl::Level& level) {
    return std::any_of(level.tokens.begin(), level.tokens.end(), [](const lvl::Token& t) { return t.type == kTokenEquals; });
}

class Finisher {
public:
    Finisher(std::int32_t target, bool haveEquals) : target_(target), haveEquals_(haveEquals) {}

    int tokensToFinish(const std::string& text, TokenCounts left) {
        if (!haveEquals_) return kNever;
        if (++steps_ > kMostFinisherSteps) return kUnknown;
        std::string key = text + '|';
        for (int c : left) key += static_cast<char>('a' + c);
        if (auto it = memo_.find(key); it != memo_.end()) return it->second;
        int best = kNever;
        std::int32_t v = 0;
        if (isCompleteSum(text) && evaluate(text, v) && v == target_) best = 0;
        for (int t = 1; t < kTokenEquals && best != 0; ++t) {
            if (left[static_cast<std::size_t>(t)] == 0 || !mayFollow(text, t) || text.size() >= kLongestText) continue;
            --left[static_cast<std::size_t>(t)];
            const int more = tokensToFinish(text + tokenSymbol(t), left);
            ++left[static_cast<std::size_t>(t)];
            if (more == kUnknown) return kUnknown;  // not remembered: the answer is not known
            if (more >= 0 && (best < 0 || more + 1 < best)) best = more + 1;
        }
        memo_.emplace(key, best);
        return best;
    }

private:
    std::int32_t target_;
    bool haveEquals_;
    std::unordered_map<std::string, int> memo_;
    long steps_ = 0;
};

struct Node {
    std::uint64_t key;
    std::uint32_t parent;
    std::uint8_t action;
};

std::uint64_t packKey(int x, int y, int jump, int state, bool facingLeft, int seq) {
    return (static_cast<std::uint64_t>(x + 2048) & 0xFFF) | ((static_cast<std::uint64_t>(y + 2048) & 0xFFF) << 12) |
           (static_cast<std::uint64_t>(jump & 0x3F) << 24) | (static_cast<std::uint64_t>(state & 3) << 30) |
           (static_cast<std::uint64_t>(facingLeft ? 1 : 0) << 32) | (static_cast<std::uint64_t>(seq) << 33);
}

}  // namespace

bool evaluate(const std::string& text, std::int32_t& value, bool* exact) {
    // A sum: numbers of digits joined by signs. While reading it, each product's divisions are
    // followed for their remainders; the value itself is the game's.
    std::size_t i = 0;
    if (exact != nullptr) *exact = true;
    auto number = [&](std::int64_t& out) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        out = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') out = static_cast<std::int32_t>(out * 10 + (text[i++] - '0'));
        return true;
    };
    std::int64_t term = 0;
    if (!number(term)) return false;
    while (i < text.size()) {
        const char op = text[i++];
        std::int64_t n = 0;
        if (!number(n)) return false;
        if (op == '*') term = static_cast<std::int32_t>(term * n);
        else if (op == '/' && n != 0) {
            if (exact != nullptr && term % n != 0) *exact = false;
            term = static_cast<std::int32_t>(term / n);
        } else if (op != '/') term = n;
    }
    // The game's own evaluator, on a world kept for it: its number reading and its division by
    // zero (a divisor that wraps to 0 leaves the left operand) are the game's, whatever the text.
    static GameWorld world;
    world.clearExpression();
    std::memcpy(world.expressionText, text.data(), std::min(text.size(), static_cast<std::size_t>(kCollectedSize - 1)));
    value = world.parseExpression(0);
    return true;
}

void loadIntoWorld(const lvl::Level& level, GameWorld& world) {
    for (Token& t : world.tokens) t = Token{};
    world.tokenCount = static_cast<int>(level.tokens.size());
    world.target = level.target;
    world.targetX = level.targetX;
    world.targetY = level.targetY;
    world.playerX = level.playerX;
    world.playerY = level.playerY;
    for (int r = 0; r < lvl::kRows; ++r)
        for (int c = 0; c < lvl::kColumns; ++c) world.blocks[r][c] = level.cells[r][c];
    for (int i = 0; i < static_cast<int>(level.tokens.size()); ++i) {
        const lvl::Token& b = level.tokens[static_cast<std::size_t>(i)];
        world.initToken(i, b.x, b.y, b.type);
    }
    world.initPlayer();
    world.collectedCount = 0;
    world.levelOver = false;
    world.score = 0;
    world.lastStepTick = 0;
}

std::string sequenceText(const lvl::Level& level, const std::vector<int>& collected) {
    std::string s;
    for (int i : collected) s += tokenSymbol(level.tokens[static_cast<std::size_t>(i)].type);
    return s;
}

bool boardCanBeMade(const lvl::Level& level) {
    TokenCounts all{};
    for (const lvl::Token& t : level.tokens)
        if (t.type != kTokenEquals) ++all[static_cast<std::size_t>(t.type)];
    return Finisher(level.target, hasEquals(level)).tokensToFinish("", all) != kNever;
}

Route solve(const lvl::Level& level, long maxStates) {
    Route route;
    auto world = std::make_unique<GameWorld>();
    loadIntoWorld(level, *world);
    const int startX = world->playerX, startY = world->playerY;

    Finisher finisher(level.target, hasEquals(level));

    // Collected sequences, interned. Each knows whether it can still be finished, and which
    // tokens lying in the level are worth heading for next.
    std::vector<std::vector<int>> seqs;
    std::vector<bool> hopeful;
    std::vector<int> tokensLeft;  // tokens still to take, "=" included
    std::vector<std::vector<int>> useful;
    std::map<std::vector<int>, int> seqIds;
    auto leftAfter = [&](const std::vector<int>& seq) {
        TokenCounts left{};
        for (int i = 0; i < static_cast<int>(level.tokens.size()); ++i) {
            const int t = level.tokens[static_cast<std::size_t>(i)].type;
            if (t != kTokenEquals && std::find(seq.begin(), seq.end(), i) == seq.end()) ++left[static_cast<std::size_t>(t)];
        }
        return left;
    };
    auto intern = [&](const std::vector<int>& seq) {
        if (auto it = seqIds.find(seq); it != seqIds.end()) return it->second;
        const int id = static_cast<int>(seqs.size());
        seqs.push_back(seq);
        seqIds.emplace(seq, id);
        const std::string text = sequenceText(level, seq);
        const int more = finisher.tokensToFinish(text, leftAfter(seq));
        hopeful.push_back(more != kNever);
        tokensLeft.push_back(std::max(more, 0) + 1);
        std::vector<int> next;
        for (int i = 0; i < static_cast<int>(level.tokens.size()); ++i) {
            if (std::find(seq.begin(), seq.end(), i) != seq.end()) continue;
            const int t = level.tokens[static_cast<std::size_t>(i)].type;
            if (t == kTokenEquals) {
                std::int32_t v = 0;
                if (isCompleteSum(text) && evaluate(text, v) && v == level.target)
                    next.push_back(i);
                continue;
            }
            if (!mayFollow(text, t)) continue;
            std::vector<int> longer = seq;
            longer.push_back(i);
            if (finisher.tokensToFinish(text + tokenSymbol(t), leftAfter(longer)) != kNever) next.push_back(i);
        }
        useful.push_back(next);
        return id;
    };
    intern({});
    if (!hopeful[0]) return route;

    // Steps to the nearest token worth taking next (the figure moves 2 pixels a step each way),
    // and a long walk for every further token the sum still needs, so that taking a good token
    // always looks like progress.
    auto estimate = [&](int x, int y, int seq) {
        int best = 1 << 20;
        for (int i : useful[static_cast<std::size_t>(seq)]) {
            const lvl::Token& b = level.tokens[static_cast<std::size_t>(i)];
            const int dx = std::abs((b.x + 16) - (x + 21)), dy = std::abs((b.y + 16) - (y + 33));
            best = std::min(best, std::max(dx, dy) / 2);
        }
        return best + 400 * (tokensLeft[static_cast<std::size_t>(seq)] - 1);
    };

    struct Full {
        std::int16_t x, y;
        std::uint8_t jump, state;
        bool facingLeft;
        int seq;
        int g;
    };
    std::vector<Node> nodes;
    std::vector<Full> full;
    std::unordered_map<std::uint64_t, std::uint32_t> seen;
    // Open list ordered by steps so far plus four times the estimate, deeper first among
    // equals (found routes are real ones, though not always the shortest).
    auto priority = [](long g, long h) { return (g + 4 * h) * 65536 - g; };
    using Entry = std::pair<long, std::uint32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    auto rising = [](int state) { return state == 2 ? 2 : 0; };  // only rising stops gravity
    nodes.push_back({packKey(startX, startY, 0, 0, false, 0), 0, 0});
    full.push_back({static_cast<std::int16_t>(startX), static_cast<std::int16_t>(startY), 0, 0, false, 0, 0});
    seen.emplace(nodes[0].key, 0);
    open.push({priority(0, estimate(startX, startY, 0)), 0});

    while (!open.empty()) {
        if (static_cast<long>(nodes.size()) > maxStates) break;
        const std::uint32_t head = open.top().second;
        open.pop();
        const Full cur = full[head];
        const std::vector<int> taken = seqs[static_cast<std::size_t>(cur.seq)];  // a copy: interning grows seqs
        for (std::uint8_t action : kActions) {
            // Up is pressed on the ground or held through a rise, as a player does; pressing
            // it again in mid-air only multiplies the ways of flying and finds nothing new.
            if ((action & kUp) != 0 && cur.state != 2 && cur.jump != 0) continue;
            GameWorld& w = *world;
            w.playerX = cur.x;
            w.playerY = cur.y;
            w.result = cur.jump;
            w.playerState = cur.state;
            w.facingLeft = cur.facingLeft;
            w.levelOver = false;
            w.lastStepTick = 0;
            for (int i = 0; i < static_cast<int>(level.tokens.size()); ++i) w.tokens[i].active = true;
            for (std::size_t i = 0; i < taken.size(); ++i) {
                w.collected[i] = taken[i];
                w.tokens[taken[i]].active = false;
            }
            w.collectedCount = static_cast<std::int32_t>(taken.size());
            w.updatePlayer((action & kLeft) != 0, (action & kRight) != 0, (action & kUp) != 0, false, 10);
            std::vector<int> now(w.collected, w.collected + w.collectedCount);
            if (w.levelOver) {
                if (w.result != level.target) continue;
                route.found = true;
                route.result = w.result;
                route.expression = sequenceText(level, now);
                route.steps.push_back(action);
                for (std::uint32_t n = head; n != 0; n = nodes[n].parent) route.steps.push_back(nodes[n].action);
                std::reverse(route.steps.begin(), route.steps.end());
                route.states = static_cast<long>(nodes.size());
                return route;
            }
            if (w.playerY > 480 || w.playerY < -200 || w.playerX < -100 || w.playerX > 700) continue;  // gone for ever
            const int nextSeq = now.size() == taken.size() ? cur.seq : intern(now);
            if (!hopeful[static_cast<std::size_t>(nextSeq)]) continue;
            const std::uint64_t nk = packKey(w.playerX, w.playerY, w.result, rising(w.playerState), w.facingLeft, nextSeq);
            if (seen.contains(nk)) continue;
            const auto index = static_cast<std::uint32_t>(nodes.size());
            seen.emplace(nk, index);
            nodes.push_back({nk, head, action});
            full.push_back({static_cast<std::int16_t>(w.playerX), static_cast<std::int16_t>(w.playerY),
                            static_cast<std::uint8_t>(w.result), static_cast<std::uint8_t>(w.playerState), w.facingLeft, nextSeq,
                            cur.g + 1});
            open.push({priority(cur.g + 1, estimate(w.playerX, w.playerY, nextSeq)), index});
        }
    }
    route.states = static_cast<long>(nodes.size());
    return route;
}

std::string describe(const std::vector<std::uint8_t>& steps) {
    auto name = [](std::uint8_t a) {
        std::string s;
        if (a & kLeft) s += 'L';
        if (a & kRight) s += 'R';
        if (a & kUp) s += 'U';
        return s.empty() ? std::string("-") : s;
    };
    std::string out;
    for (std::size_t i = 0; i < steps.size();) {
        std::size_t j = i;
        while (j < steps.size() && steps[j] == steps[i]) ++j;
        if (!out.empty()) out += ", ";
        out += name(steps[i]) + " x" + std::to_string(j - i);
        i = j;
    }
    return out;
}

}  // namespace solver
