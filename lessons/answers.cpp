#include "lessons/answers.h"

#include "lessons/solver.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace lessons {

namespace {

// The longest text the game collects: its expression holds 19 symbols and a terminating zero.
constexpr std::size_t kLongestSum = kCollectedSize - 1;
// Numbers below this are read by the game exactly and never wrap.
constexpr std::int64_t kExactNumbers = 1'000'000'000;

// The kind of the last token taken, as far as the collection rules ask: a digit or not.
constexpr TokenKind kindOf(bool lastDigit) { return lastDigit ? TokenKind::Digit : TokenKind::Sign; }

// A sum read so far as the game reads it, "*" and "/" before "+" and "-", each to the left,
// in 32 bits that wrap. Only to know where the target can still be reached: the answers
// themselves are valued by the game's own evaluator.
struct Reading {
    std::uint32_t sum = 0;   // the terms before the current one
    std::uint32_t term = 0;  // the current term before its last number
    std::int64_t number = 0;
    char addSign = '+';  // before the current term
    char mulSign = 0;    // before the current number, if any
    bool huge = false;   // a number the game may read otherwise (it goes through a double)

    std::uint32_t currentTerm() const {
        const auto n = static_cast<std::uint32_t>(number);
        if (mulSign == '*') return term * n;
        if (mulSign == '/') return static_cast<std::uint32_t>(static_cast<std::int32_t>(term) / static_cast<std::int32_t>(n));
        return n;
    }
    std::int32_t value() const { return static_cast<std::int32_t>(addSign == '+' ? sum + currentTerm() : sum - currentTerm()); }

    Reading with(char symbol) const {
        Reading r = *this;
        if (symbol >= '1' && symbol <= '9') {
            r.number = number * 10 + (symbol - '0');
            r.huge = huge || r.number >= kExactNumbers;
        } else if (symbol == '*' || symbol == '/') {
            r.term = currentTerm();
            r.mulSign = symbol;
            r.number = 0;
        } else {
            r.sum = static_cast<std::uint32_t>(value());
            r.addSign = symbol;
            r.mulSign = 0;
            r.number = 0;
        }
        return r;
    }
};

// A state of the search: the tokens left (five bits a type, as a level holds at most 30 tokens:
// the digits in one word, the signs in another), and the reading so far.
struct Key {
    std::uint64_t digits = 0;
    std::uint64_t signs = 0;
    std::uint64_t terms = 0;
    std::uint64_t number = 0;
    friend bool operator==(const Key&, const Key&) = default;
};
struct KeyHash {
    std::size_t operator()(const Key& k) const {
        std::uint64_t h = (k.digits ^ k.signs << 1) * 0x9E3779B97F4A7C15ull;
        h = (h ^ k.terms) * 0xBF58476D1CE4E5B9ull;
        h = (h ^ k.number) * 0x94D049BB133111EBull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

class Enumeration {
public:
    Enumeration(const TokenCounts& tokens, std::int32_t target, long most, std::size_t mostFacts)
        : left_(tokens), target_(target), most_(most), mostFacts_(mostFacts) {}

    Answers run() {
        extend(Reading{}, false);
        return std::move(answers_);
    }

private:
    bool stopped() const { return !answers_.complete || answers_.sums.size() > mostFacts_; }

    bool spent() {
        if (++work_ <= most_) return false;
        answers_.complete = false;
        return true;
    }

    Key keyOf(const Reading& r, bool lastDigit) const {
        Key key;
        for (int type = 1; type < kTokenEquals; ++type) {
            std::uint64_t& into = tokenKind(type) == TokenKind::Sign ? key.signs : key.digits;
            into = into << 5 | static_cast<std::uint64_t>(left_[static_cast<std::size_t>(type)] & 0x1F);
        }
        key.terms = static_cast<std::uint64_t>(r.sum) << 32 | r.term;
        key.number = static_cast<std::uint64_t>(r.number) << 8 | static_cast<std::uint64_t>(r.addSign == '+') << 4 |
                     static_cast<std::uint64_t>(r.mulSign == '*') << 3 | static_cast<std::uint64_t>(r.mulSign == '/') << 2 |
                     static_cast<std::uint64_t>(lastDigit) << 1 | static_cast<std::uint64_t>(signs_ > 0);
        return key;
    }

    // Whether some sequence of the tokens left, after what was read, makes the target.
    bool reachable(const Reading& r, bool lastDigit) {
        if (r.huge || spent()) return true;  // not known: kept
        if (isCompleteSum(signs_ > 0, kindOf(lastDigit)) && r.value() == target_) return true;
        if (text_.size() == kLongestSum) return false;
        const Key key = keyOf(r, lastDigit);
        if (const auto it = known_.find(key); it != known_.end()) return it->second;
        bool can = false;
        forEachNext(lastDigit, [&](int type) {
            can = can || reachable(r.with(tokenSymbol(type)), tokenKind(type) == TokenKind::Digit);
            return !can;
        });
        known_.emplace(key, can);
        return can;
    }

    void extend(const Reading& r, bool lastDigit) {
        if (stopped() || !reachable(r, lastDigit)) return;
        if (isCompleteSum(signs_ > 0, kindOf(lastDigit))) {
            std::int32_t value = 0;
            if (solver::evaluate(text_, value) && value == target_ && facts_.insert(factOf(text_)).second)
                answers_.sums.push_back(text_);
        }
        if (text_.size() == kLongestSum) return;
        forEachNext(lastDigit, [&](int type) {
            extend(r.with(tokenSymbol(type)), tokenKind(type) == TokenKind::Digit);
            return !stopped();
        });
    }

    // Calls `next` with each type that may follow, taken from the tokens left, while it says so.
    template <typename Next>
    void forEachNext(bool lastDigit, Next next) {
        for (int type = 1; type < kTokenEquals; ++type) {
            int& count = left_[static_cast<std::size_t>(type)];
            const bool sign = tokenKind(type) == TokenKind::Sign;
            if (count == 0 || !mayFollow(kindOf(lastDigit), tokenKind(type))) continue;
            --count;
            signs_ += sign ? 1 : 0;
            text_ += tokenSymbol(type);
            const bool more = next(type);
            text_.pop_back();
            signs_ -= sign ? 1 : 0;
            ++count;
            if (!more) return;
        }
    }

    TokenCounts left_;
    std::int32_t target_;
    long most_;
    std::size_t mostFacts_;
    long work_ = 0;
    int signs_ = 0;
    std::string text_;
    std::unordered_map<Key, bool, KeyHash> known_;
    std::set<std::string> facts_;
    Answers answers_;
};

}  // namespace

Answers answersOf(const TokenCounts& tokens, std::int32_t target, long mostSteps, std::size_t mostFacts) {
    return Enumeration(tokens, target, mostSteps, mostFacts).run();
}

TokenCounts countTokens(const std::vector<lvl::Token>& tokens) {
    TokenCounts counts{};
    for (const lvl::Token& t : tokens)
        if (t.type >= 1 && t.type < kTokenEquals) ++counts[static_cast<std::size_t>(t.type)];
    return counts;
}

Answers answersOf(const lvl::Level& level) {
    const bool haveEquals = std::any_of(level.tokens.begin(), level.tokens.end(),
                                        [](const lvl::Token& t) { return t.type == kTokenEquals; });
    if (!haveEquals) return {};
    return answersOf(countTokens(level.tokens), level.target);
}

std::string factOf(const std::string& sum) {
    std::vector<std::string> numbers;
    std::string signs;
    for (char c : sum) {
        if (c < '1' || c > '9') signs += c;
        else if (numbers.size() == signs.size()) numbers.emplace_back(1, c);
        else numbers.back() += c;
    }
    // By value: of two numbers of the digits 1 to 9, the shorter is the smaller.
    std::sort(numbers.begin(), numbers.end(),
              [](const std::string& a, const std::string& b) { return a.size() != b.size() ? a.size() < b.size() : a < b; });
    std::sort(signs.begin(), signs.end());
    std::string fact;
    for (const std::string& n : numbers) fact += n + ' ';
    return fact + '|' + signs;
}

}  // namespace lessons
