#include "lessons/practice.h"

#include "lessons/answers.h"
#include "lessons/pack.h"

#include <algorithm>
#include <fstream>
#include <numeric>
#include <set>

namespace fs = std::filesystem;

namespace lessons {

namespace {

constexpr int kLevels = lvl::kPackLevels;
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
    template <typename T>
    void shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<std::size_t>(below(static_cast<int>(i)))]);
    }

private:
    std::uint64_t state_;
};

std::vector<int> typesOf(const std::string& sum) {
    std::vector<int> types;
    for (char c : sum) types.push_back(tokenType(c));
    return types;
}

// Whether every sum these tokens make of the fact's number is the fact.
bool onlyTheFact(const std::vector<int>& types, const Fact& fact) {
    TokenCounts counts{};
    for (int t : types) ++counts[static_cast<std::size_t>(t)];
    const Answers answers = answersOf(counts, fact.value, kMostSteps, 1);
    return answers.complete && answers.sums.size() == 1 && factOf(answers.sums[0]) == factOf(fact.sum);
}

// Tokens not needed by the fact: digits that appear in it last, one sign as the third; each
// only when the fact stays the one answer.
std::vector<int> distractors(const Fact& fact, int count, Random& random) {
    std::vector<int> tokens = typesOf(fact.sum);
    std::vector<int> extra;
    for (int i = 0; i < count; ++i) {
        std::vector<int> candidates;
        if (i == 2) candidates = {kTokenPlus, kTokenMinus, kTokenTimes, kTokenDivide};
        else candidates = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        random.shuffle(candidates);
        std::stable_partition(candidates.begin(), candidates.end(),
                              [&](int t) { return fact.sum.find(tokenSymbol(t)) == std::string::npos; });
        for (int t : candidates) {
            tokens.push_back(t);
            if (onlyTheFact(tokens, fact)) {
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
    level = shape.level;
    level.background = scenery.background;
    level.target = fact.value;
    level.targetX = scenery.boardX;
    level.targetY = scenery.boardY;
    const std::vector<int> types = typesOf(fact.sum);
    // Which places: the fact's tokens in the order of the way at first, anywhere later.
    std::vector<int> places(shape.places.size());
    std::iota(places.begin(), places.end(), 0);
    random.shuffle(places);
    places.resize(types.size() + extra.size());
    std::vector<int> forFact(places.begin(), places.begin() + static_cast<std::ptrdiff_t>(types.size()));
    if (inOrder) std::sort(forFact.begin(), forFact.end());
    std::vector<std::pair<int, int>> placed;  // place, type
    for (std::size_t i = 0; i < types.size(); ++i) placed.push_back({forFact[i], types[i]});
    for (std::size_t i = 0; i < extra.size(); ++i) placed.push_back({places[types.size() + i], extra[i]});
    std::sort(placed.begin(), placed.end());
    for (const auto& [place, type] : placed) level.tokens.push_back(tokenAt(shape.places[static_cast<std::size_t>(place)], type));
    level.tokens.push_back(tokenAt(shape.equals, kTokenEquals));
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

// A level's fact, the family it comes from, and the facts that could stand in for it.
struct Drawn {
    Fact fact;
    Family family = Family::Add10;
    int table = 0;
    std::vector<Fact> others;  // by the seed's order
};

// One fact for each level, each the one answer of its own tokens, unused so far, and of a
// hardness not drawn yet where there is such; then ordered from the easiest.
bool drawFacts(const FactSpec& spec, Random& random, std::vector<Drawn>& drawn, lvl::Text& error) {
    std::set<std::string> used;
    std::set<int> hardnesses;
    for (int n = 0; n < kLevels; ++n) {
        Drawn d;
        d.family = spec.families[static_cast<std::size_t>(n) % spec.families.size()];
        d.table = spec.tables.empty() ? 0 : spec.tables[static_cast<std::size_t>(n) % spec.tables.size()];
        for (const Fact& f : factsOf(d.family, d.table, n))
            if (!used.contains(factOf(f.sum)) && onlyTheFact(typesOf(f.sum), f)) d.others.push_back(f);
        random.shuffle(d.others);
        std::stable_partition(d.others.begin(), d.others.end(), [&](const Fact& f) { return !hardnesses.contains(hardness(f)); });
        if (d.others.empty()) {
            error = {"no fact with one answer for level " + std::to_string(n + 1),
                     "brak działania z jedną odpowiedzią dla poziomu " + std::to_string(n + 1),
                     "немає дії з однією відповіддю для рівня " + std::to_string(n + 1)};
            return false;
        }
        d.fact = d.others.front();
        d.others.erase(d.others.begin());
        used.insert(factOf(d.fact.sum));
        hardnesses.insert(hardness(d.fact));
        drawn.push_back(std::move(d));
    }
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](const Drawn& a, const Drawn& b) { return hardness(a.fact) < hardness(b.fact); });
    return true;
}

// Level n of the pack for `fact`: drawn on the layouts of its place, proven; false when no
// try is fair.
bool makeLevel(int n, const Drawn& d, const Fact& fact, const lvl::Scenery& scenery, Random& random, PracticePack& pack) {
    std::vector<const Layout*> mine;
    for (const Layout& layout : layouts())
        if (layout.level == n + 1) mine.push_back(&layout);
    const int first = random.below(static_cast<int>(mine.size()));
    for (int attempt = 0; attempt < kTriesPerLevel; ++attempt) {
        const Shape shape = shapeOf(*mine[static_cast<std::size_t>(first + attempt) % mine.size()]);
        if (shape.places.size() < fact.sum.size()) continue;
        const int wanted = std::min((n + 1) / 2 - (n == kLevels - 1 ? 0 : n % 2),
                                    static_cast<int>(shape.places.size() - fact.sum.size()));
        lvl::LevelSource source = layOut(shape, fact, distractors(fact, wanted, random), n < 3, scenery, random);
        source.title = familyName(d.family, {d.table});
        if (d.family == Family::Times && d.table == 10)
            source.notes.push_back("Nie ma żetonu 0, więc razy 10 to razy 2 i razy 5: " + fact.sum + ".");
        if (!reread(source)) continue;
        std::vector<lvl::Problem> problems;
        const solver::Proof proof = solver::proveLevel(source, "level" + std::to_string(n + 1) + ".txt", problems, kRouteStates);
        if (!proof.fair) continue;
        pack.levels.push_back(std::move(source));
        pack.proofs.push_back(proof);
        pack.facts.push_back(fact);
        return true;
    }
    return false;
}

}  // namespace

bool makePracticePack(const FactSpec& spec, std::uint64_t seed, const std::vector<lvl::Scenery>& installed, PracticePack& pack,
                      lvl::Text& error) {
    pack = PracticePack{};
    Random random(seed);
    std::vector<Drawn> drawn;
    if (spec.families.empty() || installed.size() < static_cast<std::size_t>(kLevels)) {
        error = {"nothing to practise", "nie ma czego ćwiczyć", "немає чого вправляти"};
        return false;
    }
    if (!drawFacts(spec, random, drawn, error)) return false;
    std::vector<std::string> names;
    for (Family f : spec.families) names.push_back(familyName(f, spec.tables));
    pack.title = names[0];
    for (std::size_t i = 1; i < names.size(); ++i) pack.title += (i + 1 == names.size() ? " i " : ", ") + names[i];
    pack.notes.push_back("Ćwiczenia z kalkulon-levels practice (ziarno " + std::to_string(seed) +
                         "): siedem poziomów, każdy trochę trudniejszy.");
    pack.notes.push_back("Każdy poziom sprawdzony: da się go wygrać, nie ma w nim pułapek i ma jedną odpowiedź.");

    for (int n = 0; n < kLevels; ++n) {
        const Drawn& d = drawn[static_cast<std::size_t>(n)];
        // A fact that no layout takes gives way to one of its others that keeps the order.
        const int easier = n == 0 ? -1 : hardness(pack.facts.back());
        const int harder = n + 1 == kLevels ? INT32_MAX : hardness(drawn[static_cast<std::size_t>(n) + 1].fact);
        std::vector<Fact> tries = {d.fact};
        for (const Fact& f : d.others)
            if (hardness(f) > easier && hardness(f) < harder) tries.push_back(f);
        const bool made = std::any_of(tries.begin(), tries.end(), [&](const Fact& f) {
            return makeLevel(n, d, f, installed[static_cast<std::size_t>(n)], random, pack);
        });
        if (!made) {
            error = {"no fair level found for level " + std::to_string(n + 1),
                     "nie znaleziono dobrego poziomu " + std::to_string(n + 1),
                     "не знайдено доброго рівня " + std::to_string(n + 1)};
            return false;
        }
        pack.notes.push_back("Poziom " + std::to_string(n + 1) + ": " + shown(pack.facts.back()));
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
    head += std::string("fps ") + (pack.settings.showFrameRate ? "on" : "off") + "\n";
    head += std::string("backgrounds ") + (pack.settings.plainBackgrounds ? "plain" : "painted") + "\n";
    if (!write(folder / "pack.txt", head)) return false;
    for (std::size_t i = 0; i < pack.levels.size(); ++i)
        if (!write(folder / ("level" + std::to_string(i + 1) + ".txt"), lvl::writeLevelText(pack.levels[i]))) return false;
    return true;
}

}  // namespace lessons
