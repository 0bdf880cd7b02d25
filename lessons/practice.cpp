#include "lessons/practice.h"

#include "lessons/pack.h"
#include "lessons/solver.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <numeric>
#include <set>

namespace fs = std::filesystem;

namespace lessons {

namespace {

constexpr int kLevels = lvl::kPackLevels;
constexpr int kHardest = kLevels - 1;
constexpr int kTriesPerLevel = 40;
// A practice level whose route takes longer to find is not one for practice: another is drawn.
constexpr long kRouteStates = 200'000;

// splitmix64: the same numbers on every machine for a seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

private:
    std::uint64_t state_;
};

bool writable(int n) { return n > 0 && std::to_string(n).find('0') == std::string::npos; }  // no 0 token

std::string text(int a, char op, int b) { return std::to_string(a) + op + std::to_string(b); }

// Facts of a sum family whose board number lies in [lo, hi].
std::vector<Fact> sums(int lo, int hi, bool crossing, bool twoDigits, int most) {
    std::vector<Fact> out;
    for (int a = 1; a <= 19; ++a)
        for (int b = 1; b <= 9; ++b) {
            const int c = a + b;
            if (!writable(a) || c < lo || c > hi || c > most || (a >= 10) != twoDigits) continue;
            if (((a % 10) + b >= 10) != crossing) continue;
            out.push_back({text(a, '+', b), c, ""});
        }
    return out;
}

std::vector<Fact> differences(int aLo, int aHi, bool borrowing) {
    std::vector<Fact> out;
    for (int a = aLo; a <= aHi; ++a)
        for (int b = 1; b <= 9; ++b) {
            if (!writable(a) || b >= a) continue;
            if (a >= 10 && ((a % 10) < b) != borrowing) continue;
            out.push_back({text(a, '-', b), a - b, ""});
        }
    return out;
}

}  // namespace

bool parseFacts(const std::string& spec, FactSpec& out, lvl::Text& error) {
    out = FactSpec{};
    std::size_t pos = 0;
    while (pos <= spec.size()) {
        const std::size_t comma = std::min(spec.find(',', pos), spec.size());
        std::string item = spec.substr(pos, comma - pos);
        item.erase(std::remove(item.begin(), item.end(), ' '), item.end());
        if (!item.empty() && (item[0] == 'x' || item[0] == 'X')) item.erase(0, 1);
        pos = comma + 1;
        auto add = [&](Family f) {
            if (std::find(out.families.begin(), out.families.end(), f) == out.families.end()) out.families.push_back(f);
        };
        if (item == "add10") add(Family::Add10);
        else if (item == "add20") add(Family::Add20);
        else if (item == "sub20") add(Family::Sub20);
        else if (item == "div") add(Family::Divide);
        else if (item == "order") add(Family::Order);
        else if (!item.empty() && item.size() <= 2 &&
                 std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; }) && std::stoi(item) >= 2 &&
                 std::stoi(item) <= 10) {
            add(Family::Times);
            if (std::find(out.tables.begin(), out.tables.end(), std::stoi(item)) == out.tables.end())
                out.tables.push_back(std::stoi(item));
        } else {
            error = {
                "unknown facts \"" + item + "\": use add10, add20, sub20, 2 to 10, div or order, joined by commas",
                "nieznany rodzaj działań \"" + item + "\": dozwolone add10, add20, sub20, 2 do 10, div lub order, po przecinku",
                "невідомий вид прикладів \"" + item + "\": можна add10, add20, sub20, 2 до 10, div або order, через кому"};
            return false;
        }
    }
    return true;
}

std::vector<Fact> factsOf(Family family, int table, int d) {
    std::vector<Fact> out;
    switch (family) {
    case Family::Add10:
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; a + b <= 10; ++b)
                if (a + b >= 2 + d && a + b <= 4 + d) out.push_back({text(a, '+', b), a + b, ""});
        break;
    case Family::Add20:
        if (d <= 1) out = sums(12, 15 + 2 * d, false, true, 19);
        else if (d <= 4) out = sums(9 + 2 * d, 11 + 2 * d, true, false, 18);
        else {
            out = sums(20, 20, true, true, 20);
            if (d == kHardest) {
                const auto more = sums(16, 18, true, false, 18);
                out.insert(out.end(), more.begin(), more.end());
            }
        }
        break;
    case Family::Sub20:
        if (d <= 1) out = differences(4 + 2 * d, 6 + 3 * d, false);
        else if (d <= 3) out = differences(11, 19, false);
        else out = differences(11 + (d - 4), 19, true);
        break;
    case Family::Times:
        for (int m = 1 + d; m <= 3 + d; ++m) {
            if (table == 10)
                out.push_back({std::to_string(m) + "*2*5", m * 10, std::to_string(m) + " × 10 = " + std::to_string(m * 10)});
            else out.push_back({d >= 3 && m % 2 == 0 ? text(m, '*', table) : text(table, '*', m), table * m, ""});
        }
        break;
    case Family::Divide:
        for (int b = 2 + d / 2; b <= 4 + d; ++b)
            for (int q = 1 + d / 2; q <= 3 + d; ++q)
                if (b <= 9 && q <= 9 && writable(b * q)) out.push_back({text(b * q, '/', b), q, ""});
        break;
    case Family::Order:
        for (int a = 1; a <= 9; ++a)
            for (int b = 2; b <= 5 + d / 2; ++b)
                for (int c = 2; c <= 4 + d / 2; ++c) {
                    if (d <= 2 && a <= 5)
                        out.push_back({std::to_string(a) + "+" + std::to_string(b) + "*" + std::to_string(c), a + b * c, ""});
                    if (d >= 3 && d <= 4)
                        out.push_back({std::to_string(b) + "*" + std::to_string(c) + "+" + std::to_string(a), b * c + a, ""});
                    if (d >= 4 && b * c > a)
                        out.push_back({std::to_string(b) + "*" + std::to_string(c) + "-" + std::to_string(a), b * c - a, ""});
                    if (d >= 5 && a > 1)
                        out.push_back(
                            {std::to_string(a) + "+" + std::to_string(b) + "*" + std::to_string(c) + "-1", a + b * c - 1, ""});
                }
        break;
    }
    return out;
}

// Seven shapes, from a flat meadow to a tower, each proven free of traps with every place
// filled (the tests prove them again). Tokens hang where only a jump reaches them, two cells
// apart, so a child takes them in any order; "=" stands on the ground at the end of the way.
const std::vector<Shape>& shapes() {
    static const std::vector<Shape> all = {
        {"meadow",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X##################X"},
         1,
         12,
         {{2.5, 10}, {4.5, 9}, {6.5, 10}, {8.5, 9}, {10.5, 10}, {12.5, 9}, {14.5, 10}, {16, 9}},
         {18, 12}},
        {"two ledges",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X.....###.....###..X", "X.....XXX.....XXX..X", "X##################X"},
         1,
         12,
         {{2, 10}, {4, 9}, {6, 8}, {8, 7}, {10, 10}, {12, 9}, {14, 8}, {16, 7}},
         {18, 12}},
        {"plateau",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X.....########.....X", "X.....XXXXXXXX.....X", "X##################X"},
         1,
         12,
         {{1.5, 9}, {3.5, 10}, {8, 8}, {10, 7}, {12, 8}, {15.5, 9}},
         {18, 12}},
        {"valley",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X####..........####X", "XXXXX..........XXXXX", "X##################X"},
         2,
         10,
         {{1, 8}, {3, 7}, {6.5, 10}, {8.5, 9}, {10.5, 10}, {12.5, 9}, {16, 8}},
         {18, 10}},
        {"pillars",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X....#....#....#...X", "X....X....X....X...X", "X##################X"},
         1,
         12,
         {{2.5, 9}, {5, 8}, {7.5, 10}, {10, 8}, {12.5, 10}, {15, 8}, {3.5, 6.5}, {12.5, 6.5}},
         {18, 12}},
        {"shelf",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X......####........X",
          "X..................X", "X..###.......###...X", "X..XXX.......XXX...X", "X##################X"},
         1,
         12,
         {{4, 8}, {7.5, 5}, {9.5, 6}, {12, 10}, {14, 8}, {16.5, 10}},
         {18, 12}},
        {"castle",
         {"X..................X", "X..................X", "X..................X", "X..................X", "X..................X",
          "X..................X", "X..................X", "X..................X", "X..................X", "X.......####.......X",
          "X..................X", "X...###......###...X", "X...XXX......XXX...X", "X##################X"},
         2,
         12,
         {{5, 8}, {8.5, 6}, {10.5, 5}, {9.5, 10}, {14, 8}, {17, 9}},
         {18.5, 12}},
    };
    return all;
}

namespace {

std::string familyName(Family f, const std::vector<int>& tables) {
    switch (f) {
    case Family::Add10:
        return "Dodawanie do 10";
    case Family::Add20:
        return "Dodawanie do 20";
    case Family::Sub20:
        return "Odejmowanie do 20";
    case Family::Divide:
        return "Dzielenie";
    case Family::Order:
        return "Kolejność działań";
    case Family::Times: {
        std::string s = "Tabliczka mnożenia: ";
        for (std::size_t i = 0; i < tables.size(); ++i) s += (i ? ", x" : "x") + std::to_string(tables[i]);
        return s;
    }
    }
    return "";
}

// "3 × 4 = 12" for the teacher's notes.
std::string shown(const Fact& f) {
    if (!f.shown.empty()) return f.shown;
    std::string s;
    for (char c : f.sum) {
        if (c >= '1' && c <= '9') {
            s += c;
            continue;
        }
        s += c == '*' ? " × " : c == '/' ? " : " : c == '-' ? " − " : " + ";
    }
    return s + " = " + std::to_string(f.value);
}

// Every sum the level's tokens can make, taken as the game takes them: the board's number must
// come only from the fact's own tokens (in any order that makes it), with no division that
// leaves a remainder, so that the tokens not needed lead to no other answer.
class OnlyTheFact {
public:
    OnlyTheFact(const std::vector<int>& tokens, const Fact& fact) : target_(fact.value) {
        for (int t : tokens) ++left_[static_cast<std::size_t>(t)];
        for (char c : fact.sum) ++needed_[static_cast<std::size_t>(tokenType(c))];
    }
    bool holds() { return extend(); }

private:
    bool extend() {
        if (isCompleteSum(text_)) {
            std::int32_t value = 0;
            bool exact = true;
            if (solver::evaluate(text_, value, &exact) && value == target_ && (!exact || used_ != needed_)) return false;
        }
        for (int t = 1; t < kTokenEquals; ++t) {
            if (left_[static_cast<std::size_t>(t)] == 0 || !mayFollow(text_, t)) continue;
            --left_[static_cast<std::size_t>(t)];
            ++used_[static_cast<std::size_t>(t)];
            text_ += tokenSymbol(t);
            const bool ok = extend();
            text_.pop_back();
            --used_[static_cast<std::size_t>(t)];
            ++left_[static_cast<std::size_t>(t)];
            if (!ok) return false;
        }
        return true;
    }

    std::int32_t target_;
    std::array<int, kTokenEquals> left_{}, needed_{}, used_{};
    std::string text_;
};

// Tokens not needed by the fact: digits that appear in it last, one sign as the third; each
// only when the board's number still comes from the fact alone.
std::vector<int> distractors(const Fact& fact, int count, Random& random) {
    std::vector<int> tokens;
    for (char c : fact.sum) tokens.push_back(tokenType(c));
    std::vector<int> extra;
    for (int i = 0; i < count; ++i) {
        std::vector<int> candidates;
        if (i == 2) candidates = {kTokenPlus, kTokenMinus, kTokenTimes, kTokenDivide};
        else candidates = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        for (std::size_t k = candidates.size(); k > 1; --k)
            std::swap(candidates[k - 1], candidates[static_cast<std::size_t>(random.below(static_cast<int>(k)))]);
        std::stable_partition(candidates.begin(), candidates.end(),
                              [&](int t) { return fact.sum.find(tokenSymbol(t)) == std::string::npos; });
        for (int t : candidates) {
            tokens.push_back(t);
            if (OnlyTheFact(tokens, fact).holds()) {
                extra.push_back(t);
                break;
            }
            tokens.pop_back();
        }
    }
    return extra;
}

// A level of `shape` with the fact's tokens and some that are not needed.
lvl::LevelSource layOut(const Shape& shape, const Fact& fact, const std::vector<int>& extra, bool inOrder,
                        const lvl::Scenery& scenery, Random& random) {
    lvl::LevelSource source;
    lvl::Level& level = source.level;
    level.background = scenery.background;
    level.target = fact.value;
    level.targetX = scenery.boardX;
    level.targetY = scenery.boardY;
    level.playerX = lvl::cellToPixel(shape.startColumn) - lvl::kStartOffset;
    level.playerY = lvl::cellToPixel(shape.startRow);
    for (int r = 0; r < lvl::kRows; ++r)
        for (int c = 0; c < lvl::kColumns; ++c) {
            level.cells[r][c] = lvl::cellValue(shape.rows[r][c]);
        }
    std::vector<int> types;
    for (char c : fact.sum) types.push_back(tokenType(c));
    // Which places: the fact's tokens in reading order at first, anywhere later.
    std::vector<int> places(shape.slots.size());
    std::iota(places.begin(), places.end(), 0);
    for (std::size_t i = places.size(); i > 1; --i)
        std::swap(places[i - 1], places[static_cast<std::size_t>(random.below(static_cast<int>(i)))]);
    places.resize(types.size() + extra.size());
    std::vector<int> forFact(places.begin(), places.begin() + static_cast<std::ptrdiff_t>(types.size()));
    if (inOrder) std::sort(forFact.begin(), forFact.end());
    std::vector<std::pair<int, int>> placed;  // place, type
    for (std::size_t i = 0; i < types.size(); ++i) placed.push_back({forFact[i], types[i]});
    for (std::size_t i = 0; i < extra.size(); ++i) placed.push_back({places[types.size() + i], extra[i]});
    std::sort(placed.begin(), placed.end());
    for (const auto& [place, type] : placed) {
        const auto [c, r] = shape.slots[static_cast<std::size_t>(place)];
        level.tokens.push_back({lvl::cellToPixel(c) - lvl::kTokenOffset, lvl::cellToPixel(r) - lvl::kTokenOffset, type});
    }
    level.tokens.push_back({lvl::cellToPixel(shape.equals.first) - lvl::kTokenOffset,
                            lvl::cellToPixel(shape.equals.second) - lvl::kTokenOffset, kTokenEquals});
    std::string notes = "Działanie: " + shown(fact);
    if (!extra.empty()) {
        notes += ". Żetony na niby:";
        for (int t : extra) notes += std::string(" ") + tokenSymbol(t);
    }
    source.notes.push_back(notes);
    return source;
}

// The level as its written source reads back, with the line numbers the proof's messages name;
// false when the reader finds anything wrong with it (then it is no level to offer).
bool reread(lvl::LevelSource& made) {
    lvl::LevelSource source;
    std::vector<lvl::Problem> problems;
    if (!lvl::readLevelText(lvl::writeLevelText(made), "", nullptr, source, problems) || !problems.empty()) return false;
    made = std::move(source);
    return true;
}

}  // namespace

bool makePracticePack(const FactSpec& spec, std::uint64_t seed, const std::vector<lvl::Scenery>& installed, PracticePack& pack,
                      lvl::Text& error) {
    pack = PracticePack{};
    Random random(seed);
    if (spec.families.empty() || installed.size() < static_cast<std::size_t>(kLevels)) {
        error = {"nothing to practise", "nie ma czego ćwiczyć", "немає чого вправляти"};
        return false;
    }
    std::vector<std::string> names;
    for (Family f : spec.families) names.push_back(familyName(f, spec.tables));
    pack.title = names[0];
    for (std::size_t i = 1; i < names.size(); ++i) pack.title += (i + 1 == names.size() ? " i " : ", ") + names[i];
    pack.notes.push_back("Ćwiczenia z kalkulon-levels practice (ziarno " + std::to_string(seed) +
                         "): siedem poziomów, każdy trochę trudniejszy.");
    pack.notes.push_back("Każdy poziom sprawdzony: da się go wygrać i nie ma w nim pułapek.");

    std::set<std::string> used;
    const int tableCount = static_cast<int>(spec.tables.size());
    for (int n = 0; n < kLevels; ++n) {
        const Family family = spec.families[static_cast<std::size_t>(n) % spec.families.size()];
        const int table = tableCount > 0 ? spec.tables[static_cast<std::size_t>(n % tableCount)] : 0;
        std::vector<Fact> facts = factsOf(family, table, n);
        std::vector<Fact> fresh;
        for (const Fact& f : facts)
            if (!used.contains(f.sum)) fresh.push_back(f);
        if (!fresh.empty()) facts = fresh;
        bool made = false;
        for (int attempt = 0; attempt < kTriesPerLevel && !made && !facts.empty(); ++attempt) {
            const Fact fact = facts[static_cast<std::size_t>(random.below(static_cast<int>(facts.size())))];
            const int shapeIndex = std::clamp(n + random.between(-1, 1) * (attempt % 2), 0, kHardest);
            const lvl::Scenery& scenery = installed[static_cast<std::size_t>(n)];
            const Shape& shape = shapes()[static_cast<std::size_t>(shapeIndex)];
            if (shape.slots.size() < fact.sum.size()) continue;
            const int wanted = std::min((n + 1) / 2 - (n == kHardest ? 0 : n % 2),
                                        static_cast<int>(shape.slots.size() - fact.sum.size()));
            lvl::LevelSource source = layOut(shape, fact, distractors(fact, wanted, random), n < 3, scenery, random);
            source.title = familyName(family, {table}) + ", poziom " + std::to_string(n + 1);
            if (family == Family::Times && table == 10)
                source.notes.push_back("Nie ma żetonu 0, więc razy 10 to razy 2 i razy 5: " + fact.sum + ".");
            if (!reread(source)) continue;
            std::vector<lvl::Problem> problems;
            const solver::Proof proof = solver::proveLevel(source, "level" + std::to_string(n + 1) + ".txt", problems,
                                                           kRouteStates);
            if (!proof.fair) continue;
            used.insert(fact.sum);
            pack.notes.push_back("Poziom " + std::to_string(n + 1) + ": " + shown(fact));
            pack.levels.push_back(std::move(source));
            pack.proofs.push_back(proof);
            made = true;
        }
        if (!made) {
            error = {"no fair level found for level " + std::to_string(n + 1),
                     "nie znaleziono dobrego poziomu " + std::to_string(n + 1),
                     "не знайдено доброго рівня " + std::to_string(n + 1)};
            return false;
        }
    }
    return true;
}

bool writePack(const PracticePack& pack, const fs::path& folder, lvl::Text& error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    auto write = [&](const fs::path& file, const std::string& text) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (out) return true;
        error = {"cannot write " + file.string(), "nie można zapisać " + file.string(), "не вдається записати " + file.string()};
        return false;
    };
    std::string head = "title " + pack.title + "\n";
    for (const std::string& n : pack.notes) head += "note " + n + "\n";
    if (!write(folder / "pack.txt", head)) return false;
    for (std::size_t i = 0; i < pack.levels.size(); ++i)
        if (!write(folder / ("level" + std::to_string(i + 1) + ".txt"), lvl::writeLevelText(pack.levels[i]))) return false;
    return true;
}

}  // namespace lessons
