#include "lessons/traps.h"

#include "world/game_world.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

namespace solver {

namespace {

// The figure is as large as its picture (the level's start raises it, see findTraps).
constexpr std::int32_t kFigureWidth = layout::kHeroWidth;
constexpr std::int32_t kFigureHeight = layout::kHeroHeight;
constexpr std::int32_t kFallStep = 2;  // what gravity moves in one step
constexpr std::uint8_t kSpent = 34;    // the jump counter of a used jump

enum Keys : std::uint8_t { kNoKey = 0, kLeftKey = 1, kRightKey = 2, kUpKey = 4 };
constexpr std::uint8_t kMoves[6] = {kNoKey, kLeftKey, kRightKey, kUpKey, kLeftKey | kUpKey, kRightKey | kUpKey};

// Jump 0: on the ground, or walked off an edge with the jump unused; 1..33: rising with that
// many jump steps spent; 34: falling with the jump used (let go or spent).
struct State {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t jump = 0;
    bool left = false;
};

bool rising(const State& s) { return s.jump > 0 && s.jump < kSpent; }

// The figure is lost once its picture has left the screen sideways, or its top is below every
// block's top (nothing can hold it then: it falls for ever).
constexpr std::int32_t kLeftmost = -kFigureWidth;
constexpr std::int32_t kRightmost = lvl::kPlayWidth + 2;
constexpr std::int32_t kHighest = -160;  // above any jump from a block of the top row
bool lost(const State& s) { return s.x < kLeftmost || s.x > kRightmost || s.y >= lvl::kPlayHeight || s.y < kHighest; }

// Node numbers by state, in one flat table laid out like the screen, so that a state and the
// states one step away lie close together. Positions move by 2 pixels, so halves suffice.
class Index {
public:
    // Zeroed pages from the system, touched only where states are.
    Index()
        : nodes_(static_cast<std::uint32_t*>(std::calloc(static_cast<std::size_t>(kWidth) * kHeight * 2 * (kSpent + 1), 4)),
                 &std::free) {
        if (nodes_ == nullptr) throw std::bad_alloc();
    }
    // The node of `s`, or `next` when `s` is new (and then it is recorded as such).
    std::uint32_t find(const State& s, std::uint32_t next, bool& added) {
        const std::size_t at =
            ((static_cast<std::size_t>((s.y - kHighest) >> 1) * kWidth + static_cast<std::size_t>((s.x + kMargin) >> 1)) * 2 +
             (s.left ? 1 : 0)) *
                (kSpent + 1) +
            s.jump;
        std::uint32_t& node = nodes_.get()[at];
        added = node == 0;
        if (added) node = next + 1;
        return node - 1;
    }

private:
    static constexpr std::int32_t kMargin = 64;
    static constexpr std::int32_t kWidth = (kRightmost + kMargin) / 2 + 1;
    static constexpr std::int32_t kHeight = (lvl::kPlayHeight - kHighest) / 2;
    std::unique_ptr<std::uint32_t, decltype(&std::free)> nodes_;  // node + 1; 0 for none yet
};

class Figure {
public:
    explicit Figure(const lvl::Level& level)
        : world_(std::make_unique<GameWorld>()),
          tops_(std::make_unique<GameWorld>()),
          tokens_(static_cast<int>(level.tokens.size())) {
        GameWorld& w = *world_;
        for (int r = 0; r < lvl::kRows; ++r)
            for (int c = 0; c < lvl::kColumns; ++c) {
                w.blocks[r][c] = level.cells[r][c];
                // The blocks whose top is open: a block under another has no top to stand on.
                tops_->blocks[r][c] = r > 0 && level.cells[r - 1][c] >= 0 ? -1 : level.cells[r][c];
            }
        tops_->playerWidth = kFigureWidth;
        tops_->playerHeight = kFeetPixels;
        // Every token a digit: digits are taken whenever they are touched, so one collection
        // pass names every token the figure touches, and never evaluates anything.
        w.tokenCount = tokens_;
        for (int i = 0; i < tokens_; ++i) {
            w.tokens[i].x = level.tokens[static_cast<std::size_t>(i)].x;
            w.tokens[i].y = level.tokens[static_cast<std::size_t>(i)].y;
            w.tokens[i].type = 1;
        }
        w.playerWidth = kFigureWidth;
        w.playerHeight = kFigureHeight;
    }

    // The tokens touched standing at `s`.
    std::uint32_t touching(const State& s) {
        put(s);
        world_->collectTokens();
        return taken();
    }

    // One step from `from` with `keys`.
    void step(const State& from, std::uint8_t keys, State& to, std::uint32_t& touched) {
        GameWorld& w = *world_;
        put(from);
        w.updatePlayer((keys & kLeftKey) != 0, (keys & kRightKey) != 0, (keys & kUpKey) != 0, false, 10);
        touched = taken();
        to.x = static_cast<std::int16_t>(w.playerX);
        to.y = static_cast<std::int16_t>(w.playerY);
        to.left = w.facingLeft;
        to.jump = static_cast<std::uint8_t>(w.jumpSteps);
        if (w.playerState != kRising && to.jump != 0) to.jump = kSpent;  // Up again in mid-air is not counted
    }

    // Standing at `s` with its feet on a block's top: the ground test one fall step lower
    // holds, and still holds when only the lowest few pixels of the figure count and only
    // blocks with nothing on them. (The ground test alone also holds a figure turned round
    // beside a wall, on the top edge of any block of the wall.)
    bool grounded(const State& s) {
        GameWorld& w = *world_;
        put(s);
        w.playerY = s.y + kFallStep;
        if (!w.standsOnBlock()) return false;
        tops_->playerX = s.x;
        tops_->facingLeft = s.left;
        tops_->playerY = s.y + kFallStep + kFigureHeight - kFeetPixels;
        return tops_->standsOnBlock();
    }

private:
    void put(const State& s) {
        GameWorld& w = *world_;
        w.playerX = s.x;
        w.playerY = s.y;
        w.jumpSteps = s.jump;
        w.playerState = rising(s) ? kRising : s.jump == 0 ? kStanding : kFalling;
        w.facingLeft = s.left;
        w.lastStepTick = 0;
        w.levelOver = false;
        w.collectedCount = 0;
        for (int i = 0; i < tokens_; ++i) w.tokens[i].active = true;
    }

    std::uint32_t taken() const {
        std::uint32_t mask = 0;
        for (int k = 0; k < world_->collectedCount; ++k) mask |= 1u << world_->collected[k];
        return mask;
    }

    std::unique_ptr<GameWorld> world_;
    std::unique_ptr<GameWorld> tops_;  // the feet's slice of the figure over the open tops
    int tokens_;
};

// The graph of states: node 0 is "off the grid", the start is node 1.
struct Graph {
    std::vector<State> nodes;
    std::vector<std::uint32_t> touch;
    std::vector<std::uint32_t> firstEdge;  // edges of node i: firstEdge[i] .. firstEdge[i + 1]
    std::vector<std::uint32_t> edges;
};

// Strongly connected parts (Tarjan, without recursion), each with the tokens reachable from
// it: a part is finished only after every part it leads to.
std::vector<std::uint32_t> reachableTokens(const Graph& g, std::vector<std::uint32_t>& part) {
    const auto n = static_cast<std::uint32_t>(g.nodes.size());
    constexpr std::uint32_t kUnseen = UINT32_MAX;
    std::vector<std::uint32_t> order(n, kUnseen), low(n, 0), stack, members;
    std::vector<bool> onStack(n, false);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;  // node, next edge
    std::vector<std::uint32_t> masks;
    part.assign(n, kUnseen);
    std::uint32_t counter = 0;
    auto enter = [&](std::uint32_t v) {
        order[v] = low[v] = counter++;
        stack.push_back(v);
        onStack[v] = true;
        calls.emplace_back(v, g.firstEdge[v]);
    };
    for (std::uint32_t root = 0; root < n; ++root) {
        if (order[root] != kUnseen) continue;
        enter(root);
        while (!calls.empty()) {
            const std::uint32_t v = calls.back().first;
            const std::uint32_t e = calls.back().second;
            if (e < g.firstEdge[v + 1]) {
                ++calls.back().second;
                const std::uint32_t w = g.edges[e];
                if (order[w] == kUnseen) enter(w);
                else if (onStack[w]) low[v] = std::min(low[v], order[w]);
                continue;
            }
            calls.pop_back();
            if (!calls.empty()) low[calls.back().first] = std::min(low[calls.back().first], low[v]);
            if (low[v] != order[v]) continue;
            const auto id = static_cast<std::uint32_t>(masks.size());
            members.clear();
            std::uint32_t w;
            do {
                w = stack.back();
                stack.pop_back();
                onStack[w] = false;
                part[w] = id;
                members.push_back(w);
            } while (w != v);
            std::uint32_t mask = 0;
            for (std::uint32_t m : members) {
                mask |= g.touch[m];
                for (std::uint32_t k = g.firstEdge[m]; k < g.firstEdge[m + 1]; ++k)
                    if (part[g.edges[k]] != id) mask |= masks[part[g.edges[k]]];
            }
            masks.push_back(mask);
        }
    }
    return masks;
}

}  // namespace

TrapReport findTraps(const lvl::Level& level) {
    TrapReport report;
    Figure figure(level);
    Graph g;
    Index index;
    g.nodes.push_back(State{});  // off the grid
    g.touch.push_back(0);
    g.firstEdge.push_back(0);
    // Where the game's level start puts the figure: raised from the start cell's top so that its
    // feet stand on that cell's bottom.
    const auto placed = std::make_unique<GameWorld>();
    placed->playerX = level.playerX;
    placed->playerY = level.playerY;
    placed->initPlayer();
    const State start{static_cast<std::int16_t>(placed->playerX), static_cast<std::int16_t>(placed->playerY), 0, false};
    g.nodes.push_back(start);
    g.touch.push_back(figure.touching(start));
    bool added = false;
    index.find(start, 1, added);
    bool fallsOff = false;
    for (std::uint32_t i = 1; i < g.nodes.size(); ++i) {
        g.firstEdge.push_back(static_cast<std::uint32_t>(g.edges.size()));
        const State from = g.nodes[i];
        // A jump starts on the ground and goes on while Up is held.
        const bool mayJump = rising(from) || (from.jump == 0 && figure.grounded(from));
        for (std::uint8_t keys : kMoves) {
            if ((keys & kUpKey) != 0 && !mayJump) continue;
            State to;
            std::uint32_t touched = 0;
            figure.step(from, keys, to, touched);
            std::uint32_t target = 0;
            if (lost(to)) {
                fallsOff = true;
            } else {
                target = index.find(to, static_cast<std::uint32_t>(g.nodes.size()), added);
                if (added) {
                    g.nodes.push_back(to);
                    g.touch.push_back(touched);
                }
            }
            if (std::find(g.edges.begin() + g.firstEdge.back(), g.edges.end(), target) == g.edges.end())
                g.edges.push_back(target);
        }
    }
    g.firstEdge.push_back(static_cast<std::uint32_t>(g.edges.size()));
    report.states = static_cast<long>(g.nodes.size());

    std::vector<std::uint32_t> part;
    const std::vector<std::uint32_t> masks = reachableTokens(g, part);
    report.reachable = masks[part[1]];
    report.fallsOff = fallsOff && report.reachable != 0;
    // The first place met (in order of steps from the start) from which tokens are lost,
    // preferably one with the figure on the ground.
    std::uint32_t place = 0;
    for (std::uint32_t i = 1; i < g.nodes.size(); ++i) {
        if (masks[part[i]] == report.reachable) continue;
        if (place == 0) place = i;
        if (figure.grounded(g.nodes[i])) {
            place = i;
            break;
        }
    }
    if (place != 0) {
        report.trapped = true;
        report.trapX = g.nodes[place].x;
        report.trapY = g.nodes[place].y;
        report.lost = report.reachable & ~masks[part[place]];
    }
    return report;
}

}  // namespace solver
