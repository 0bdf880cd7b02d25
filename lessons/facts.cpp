#include "lessons/facts.h"

#include <algorithm>

namespace lessons {

namespace {

constexpr int kHardest = 6;

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
                "невідомий вид дій \"" + item + "\": можна add10, add20, sub20, від 2 до 10, div або order, через кому"};
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

int hardness(const Fact& fact) {
    const std::string& sum = fact.sum;
    std::vector<int> numbers;
    std::string signs;
    int work = 0;
    for (std::size_t i = 0; i < sum.size();) {
        if (sum[i] < '0' || sum[i] > '9') {
            signs += sum[i];
            work += sum[i] == '+' ? 1 : sum[i] == '-' ? 2 : sum[i] == '*' ? 3 : 4;
            ++i;
            continue;
        }
        const std::size_t end = sum.find_first_not_of("0123456789", i);
        const std::string number = sum.substr(i, end - i);
        work += number.size() >= 2 ? 1 : 0;
        numbers.push_back(std::stoi(number.substr(0, 4)));
        i = std::min(end, sum.size());
    }
    if (signs == "+" && numbers[0] % 10 + numbers[1] % 10 >= 10) work += 2;
    if (signs == "-" && numbers[0] % 10 < numbers[1] % 10) work += 2;
    int largest = fact.value;
    for (int n : numbers) largest = std::max(largest, n);
    return 100 * work + std::min(99, largest);
}

}  // namespace lessons
