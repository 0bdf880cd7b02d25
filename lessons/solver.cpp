#include "lessons/solver.h"

#include <algorithm>
#include <array>
#include <cmath>
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

namespace {

// The best-first search of solve(): the collected sequences met so far, interned, each with
// what it still needs, and the states visited with the way back to the start.
class RouteSearch {
public:
    explicit RouteSearch(const lvl::Level& level)
        : level_(level), world_(std::make_unique<GameWorld>()), finisher_(level.target, hasEquals(level)) {
        loadIntoWorld(level, *world_);
    }

    Route run(long maxStates) {
        Route route;
        intern({});
        if (!hopeful_[0]) return route;
        const int startX = world_->playerX, startY = world_->playerY;
        add({static_cast<std::int16_t>(startX), static_cast<std::int16_t>(startY), 0, 0, false, 0, 0}, 0, 0);
        while (!open_.empty() && static_cast<long>(nodes_.size()) <= maxStates) {
            const std::uint32_t head = open_.top().second;
            open_.pop();
            if (expand(head, route)) break;
        }
        route.states = static_cast<long>(nodes_.size());
        return route;
    }

private:
    struct State {
        std::int16_t x, y;
        std::uint8_t jump, state;
        bool facingLeft;
        int seq;
        int g;  // steps from the start
    };

    // The tokens of each type but "=" still lying in the level after `seq` was taken.
    TokenCounts leftAfter(const std::vector<int>& seq) const {
        TokenCounts left{};
        for (int i = 0; i < static_cast<int>(level_.tokens.size()); ++i) {
            const int t = level_.tokens[static_cast<std::size_t>(i)].type;
            if (t != kTokenEquals && std::find(seq.begin(), seq.end(), i) == seq.end()) ++left[static_cast<std::size_t>(t)];
        }
        return left;
    }

    // The sequence's number, met for the first time: whether it can still be finished, how many
    // tokens it needs at the least, and which tokens lying in the level are worth heading for.
    int intern(const std::vector<int>& seq) {
        if (auto it = seqIds_.find(seq); it != seqIds_.end()) return it->second;
        const int id = static_cast<int>(seqs_.size());
        seqs_.push_back(seq);
        seqIds_.emplace(seq, id);
        const std::string text = sequenceText(level_, seq);
        const int more = finisher_.tokensToFinish(text, leftAfter(seq));
        hopeful_.push_back(more != kNever);
        tokensLeft_.push_back(std::max(more, 0) + 1);
        std::vector<int> next;
        for (int i = 0; i < static_cast<int>(level_.tokens.size()); ++i) {
            if (std::find(seq.begin(), seq.end(), i) != seq.end()) continue;
            const int t = level_.tokens[static_cast<std::size_t>(i)].type;
            if (t == kTokenEquals) {
                std::int32_t v = 0;
                if (isCompleteSum(text) && evaluate(text, v) && v == level_.target) next.push_back(i);
                continue;
            }
            if (!mayFollow(text, t)) continue;
            std::vector<int> longer = seq;
            longer.push_back(i);
            if (finisher_.tokensToFinish(text + tokenSymbol(t), leftAfter(longer)) != kNever) next.push_back(i);
        }
        useful_.push_back(next);
        return id;
    }

    // Steps to the nearest token worth taking next (the figure moves 2 pixels a step each way),
    // and a long walk for every further token the sum still needs, so that taking a good token
    // always looks like progress.
    int estimate(int x, int y, int seq) const {
        int best = 1 << 20;
        for (int i : useful_[static_cast<std::size_t>(seq)]) {
            const lvl::Token& t = level_.tokens[static_cast<std::size_t>(i)];
            const int dx = std::abs((t.x + 16) - (x + 21)), dy = std::abs((t.y + 16) - (y + 33));
            best = std::min(best, std::max(dx, dy) / 2);
        }
        return best + 400 * (tokensLeft_[static_cast<std::size_t>(seq)] - 1);
    }

    // A state not seen before joins the open list, ordered by steps so far plus four times the
    // estimate, deeper first among equals (found routes are real ones, though not always the
    // shortest).
    void add(const State& s, std::uint32_t parent, std::uint8_t action) {
        const int rising = s.state == kRising ? kRising : 0;  // only rising stops gravity
        const std::uint64_t key = packKey(s.x, s.y, s.jump, rising, s.facingLeft, s.seq);
        if (seen_.contains(key)) return;
        const auto index = static_cast<std::uint32_t>(nodes_.size());
        seen_.emplace(key, index);
        nodes_.push_back({key, parent, action});
        states_.push_back(s);
        const long g = s.g, h = estimate(s.x, s.y, s.seq);
        open_.push({(g + 4 * h) * 65536 - g, index});
    }

    // Every key choice from the state `head`; true when one wins the level, written to `route`.
    bool expand(std::uint32_t head, Route& route) {
        const State cur = states_[head];
        const std::vector<int> taken = seqs_[static_cast<std::size_t>(cur.seq)];  // a copy: interning grows seqs_
        GameWorld& w = *world_;
        for (std::uint8_t action : kActions) {
            // Up is pressed on the ground or held through a rise, as a player does; pressing
            // it again in mid-air only multiplies the ways of flying and finds nothing new.
            if ((action & kUp) != 0 && cur.state != kRising && cur.jump != 0) continue;
            put(cur, taken);
            w.updatePlayer((action & kLeft) != 0, (action & kRight) != 0, (action & kUp) != 0, false, 10);
            const std::vector<int> now(w.collected, w.collected + w.collectedCount);
            if (w.levelOver) {
                if (w.result != level_.target) continue;
                route.found = true;
                route.result = w.result;
                route.expression = sequenceText(level_, now);
                route.steps.push_back(action);
                for (std::uint32_t n = head; n != 0; n = nodes_[n].parent) route.steps.push_back(nodes_[n].action);
                std::reverse(route.steps.begin(), route.steps.end());
                return true;
            }
            if (w.playerY > 480 || w.playerY < -200 || w.playerX < -100 || w.playerX > 700) continue;  // gone for ever
            const int nextSeq = now.size() == taken.size() ? cur.seq : intern(now);
            if (!hopeful_[static_cast<std::size_t>(nextSeq)]) continue;
            add({static_cast<std::int16_t>(w.playerX), static_cast<std::int16_t>(w.playerY),
                 static_cast<std::uint8_t>(w.jumpSteps), static_cast<std::uint8_t>(w.playerState), w.facingLeft, nextSeq,
                 cur.g + 1},
                head, action);
        }
        return false;
    }

    // The world as it is in `s`, with the tokens of `taken` gone.
    void put(const State& s, const std::vector<int>& taken) {
        GameWorld& w = *world_;
        w.playerX = s.x;
        w.playerY = s.y;
        w.jumpSteps = s.jump;
        w.playerState = s.state;
        w.facingLeft = s.facingLeft;
        w.levelOver = false;
        w.lastStepTick = 0;
        for (int i = 0; i < static_cast<int>(level_.tokens.size()); ++i) w.tokens[i].active = true;
        for (std::size_t i = 0; i < taken.size(); ++i) {
            w.collected[i] = taken[i];
            w.tokens[taken[i]].active = false;
        }
        w.collectedCount = static_cast<std::int32_t>(taken.size());
    }

    const lvl::Level& level_;
    std::unique_ptr<GameWorld> world_;
    Finisher finisher_;
    std::vector<std::vector<int>> seqs_;
    std::map<std::vector<int>, int> seqIds_;
    std::vector<bool> hopeful_;
    std::vector<int> tokensLeft_;  // tokens still to take, "=" included
    std::vector<std::vector<int>> useful_;
    std::vector<Node> nodes_;
    std::vector<State> states_;
    std::unordered_map<std::uint64_t, std::uint32_t> seen_;
    using Entry = std::pair<long, std::uint32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open_;
};

}  // namespace

Route solve(const lvl::Level& level, long maxStates) { return RouteSearch(level).run(maxStates); }

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
