#include "lessons/level_text.h"

#include "lessons/level_checks.h"
#include "lessons/level_words.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lvl {

namespace {

constexpr std::array<std::string_view, 8> kKeywords = {"title", "note",   "background", "board",
                                                       "start", "blocks", "grid",       "bonus"};
constexpr std::int32_t kLowestBoard = -999;
constexpr std::int32_t kHighestBoard = 9999;

bool isKeyword(std::string_view word) { return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end(); }

// Where a token or the start lies, in cells, as the source wrote it.
Text place(std::string_view column, std::string_view row) {
    return {"column " + std::string(column) + ", row " + std::string(row),
            "kolumna " + std::string(column) + ", wiersz " + std::string(row),
            "стовпець " + std::string(column) + ", рядок " + std::string(row)};
}

struct Usage {
    std::string_view keyword;
    std::string_view en;
    std::string_view pl;
    std::string_view uk;
};

class Reader {
public:
    Reader(const std::string& file, const std::vector<Scenery>* installed, LevelSource& source, std::vector<Problem>& problems)
        : file_(file), installed_(installed), src_(source), problems_(problems) {}

    void read(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark
        int lineNo = 0;
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            line(text.substr(pos, end - pos), ++lineNo);
            pos = end + 1;
        }
        src_.lineCount = lineNo;
        if (gridRows_ >= 0 && gridRows_ < kRows) endGridEarly();
        finish();
    }

private:
    void problem(int line, std::string en, std::string pl, std::string uk) {
        problems_.push_back({file_, line, {std::move(en), std::move(pl), std::move(uk)}});
    }

    // A grid row is one word of cells, perhaps followed by a comment.
    static bool looksLikeRow(std::string_view line) {
        const std::string_view t = trim(line);
        if (t.empty()) return false;
        const auto w = words(t);
        if (isKeyword(w[0]) || w[0] == "#") return false;
        return w.size() == 1 || w[1].starts_with('#');
    }

    void line(std::string_view raw, int lineNo) {
        if (gridRows_ >= 0 && gridRows_ < kRows) {
            if (looksLikeRow(raw)) {
                gridRow(words(raw)[0], lineNo);
                return;
            }
            endGridEarly();
        }
        if (gridRows_ == kRows && looksLikeRow(raw)) {
            const std::string_view w = words(raw)[0];
            if (std::all_of(w.begin(), w.end(), [](char c) { return cellValue(c) != -2; })) {
                if (!extraRowReported_)
                    problem(lineNo, "more than 14 grid rows: the grid has 14 rows of 20 cells",
                            "więcej niż 14 wierszy siatki: siatka ma 14 wierszy po 20 pól",
                            "понад 14 рядків сітки: сітка має 14 рядків по 20 клітинок");
                extraRowReported_ = true;
                return;
            }
        }
        std::string_view body = raw;
        if (const auto hash = body.find('#'); hash != std::string_view::npos) body = body.substr(0, hash);
        const auto w = words(body);
        if (w.empty()) return;
        const std::string_view key = w[0];
        if (key == "title") {
            if (once(titleLine_, "title", lineNo)) src_.title = std::string(trim(body.substr(body.find("title") + 5)));
            if (src_.title.empty() && titleLine_ == lineNo)
                problem(lineNo, "\"title\" needs a text", "\"title\" wymaga tekstu", "\"title\" потребує тексту");
        } else if (key == "note") {
            src_.notes.emplace_back(trim(body.substr(body.find("note") + 4)));
        } else if (key == "background") {
            background(w, lineNo);
        } else if (key == "board") {
            board(w, lineNo);
        } else if (key == "start") {
            start(w, lineNo);
        } else if (key == "blocks") {
            blocks(w, lineNo);
        } else if (key == "grid") {
            if (!arity(w, lineNo,
                       {"grid", "grid, then 14 rows of 20 cells", "grid, a potem 14 wierszy po 20 pól",
                        "grid, а потім 14 рядків по 20 клітинок"},
                       0, 0))
                return;
            if (!once(src_.gridLine, "grid", lineNo)) return;
            gridRows_ = 0;
        } else if (key == "bonus") {
            token(w, lineNo);
        } else {
            problem(lineNo,
                    "unknown word " + quoted(key) +
                        ": a line starts with title, note, background, board, start, blocks, grid or bonus",
                    "nieznane słowo " + quoted(key) +
                        ": wiersz zaczyna się od title, note, background, board, start, blocks, grid lub bonus",
                    "невідоме слово " + quoted(key) +
                        ": рядок починається з title, note, background, board, start, blocks, grid або bonus");
        }
    }

    // The first line of a kind; a second one is a mistake.
    bool once(int& first, std::string_view keyword, int lineNo) {
        if (first != 0) {
            problem(lineNo, "a second " + quoted(keyword) + " line (the first is line " + num(first) + ")",
                    "drugi wiersz " + quoted(keyword) + " (pierwszy jest w wierszu " + num(first) + ")",
                    "другий рядок " + quoted(keyword) + " (перший — рядок " + num(first) + ")");
            return false;
        }
        first = lineNo;
        return true;
    }

    // The count of words after the keyword: too few is a missing part, one too many a word
    // that cannot follow.
    bool arity(const std::vector<std::string_view>& w, int lineNo, Usage usage, std::size_t least, std::size_t most) {
        const std::size_t given = w.size() - 1;
        if (given < least) {
            problem(lineNo, quoted(usage.keyword) + " needs: " + std::string(usage.en),
                    quoted(usage.keyword) + " wymaga: " + std::string(usage.pl),
                    quoted(usage.keyword) + " потребує: " + std::string(usage.uk));
            return false;
        }
        if (given > most) {
            problem(lineNo, quoted(w[most + 1]) + " cannot follow here: " + std::string(usage.en),
                    quoted(w[most + 1]) + " nie może tu wystąpić: " + std::string(usage.pl),
                    quoted(w[most + 1]) + " не може тут стояти: " + std::string(usage.uk));
            return false;
        }
        return true;
    }

    void notWhole(std::string_view word, int lineNo) {
        problem(lineNo, quoted(word) + " is not a whole number", quoted(word) + " nie jest liczbą całkowitą",
                quoted(word) + " не є цілим числом");
    }
    void notCell(std::string_view word, int lineNo) {
        problem(lineNo, quoted(word) + " is not a cell position (a number such as 5 or 5.5)",
                quoted(word) + " nie jest położeniem pola (liczba taka jak 5 albo 5.5)",
                quoted(word) + " не є положенням клітинки (число, як-от 5 або 5.5)");
    }

    void background(const std::vector<std::string_view>& w, int lineNo) {
        if (!once(backgroundLine_, "background", lineNo)) return;
        if (!arity(w, lineNo, {"background", "the name of a picture", "nazwa obrazka", "назва картинки"}, 1, 1)) return;
        const std::string_view name = w[1];
        if (name.find_first_of("/\\") != std::string_view::npos || name.starts_with('.')) {
            problem(lineNo, quoted(name) + " is not a picture name: a background is one of the game's pictures, not a path",
                    quoted(name) + " nie jest nazwą obrazka: tło to jeden z obrazków gry, nie ścieżka",
                    quoted(name) + " не є назвою картинки: тло — це одна з картинок гри, а не шлях");
            return;
        }
        const auto plain = [](unsigned char c) { return std::isalnum(c) != 0 || c == '.' || c == '_' || c == '-'; };
        if (!std::all_of(name.begin(), name.end(), [&](char c) { return c >= 0 && plain(static_cast<unsigned char>(c)); })) {
            problem(lineNo, quoted(name) + " is not a picture name: use letters, digits, \".\", \"_\" and \"-\"",
                    quoted(name) + " nie jest nazwą obrazka: dozwolone litery, cyfry, \".\", \"_\" i \"-\"",
                    quoted(name) + " не є назвою картинки: можна літери, цифри, \".\", \"_\" і \"-\"");
            return;
        }
        if (name.size() > static_cast<std::size_t>(kMaxBackgroundName)) {
            problem(lineNo, "the picture name " + quoted(name) + " is longer than 11 characters",
                    "nazwa obrazka " + quoted(name) + " ma więcej niż 11 znaków",
                    "назва картинки " + quoted(name) + " довша за 11 знаків");
            return;
        }
        if (installed_ != nullptr && scenery(name) == nullptr) {
            std::string list;
            for (const Scenery& s : *installed_) list += (list.empty() ? "" : ", ") + s.background;
            problem(lineNo, "there is no background " + quoted(name) + ": use " + list,
                    "nie ma tła " + quoted(name) + ": do wyboru " + list, "немає тла " + quoted(name) + ": на вибір " + list);
            return;
        }
        src_.level.background = std::string(name);
    }

    void board(const std::vector<std::string_view>& w, int lineNo) {
        const Usage usage = installed_ != nullptr
                                ? Usage{"board", "NUMBER, and perhaps where it is written (X Y)",
                                        "LICZBA, ewentualnie z miejscem (X Y)", "ЧИСЛО, можливо з місцем (X Y)"}
                                : Usage{"board", "NUMBER X Y (where the number is written)",
                                        "LICZBA X Y (gdzie liczba jest napisana)", "ЧИСЛО X Y (де написано число)"};
        if (!once(src_.boardLine, "board", lineNo)) return;
        if (!arity(w, lineNo, usage, installed_ != nullptr ? 1 : 3, 3)) return;
        if (w.size() == 3) {
            problem(lineNo, "\"board\" needs both X and Y, or neither", "\"board\" wymaga obu: X i Y, albo żadnego",
                    "\"board\" потребує і X, і Y, або жодного");
            return;
        }
        std::int32_t values[3] = {0, 0, 0};
        for (std::size_t i = 1; i < w.size(); ++i) {
            const auto v = wholeNumber(w[i]);
            if (!v) return notWhole(w[i], lineNo);
            values[i - 1] = *v;
        }
        if (values[0] < kLowestBoard || values[0] > kHighestBoard) {
            problem(lineNo, "the board number must lie between -999 and 9999", "liczba na tablicy musi leżeć między -999 a 9999",
                    "число на табличці має бути від -999 до 9999");
            return;
        }
        src_.level.target = values[0];
        boardPlaceGiven_ = w.size() == 4;
        src_.level.targetX = values[1];
        src_.level.targetY = values[2];
    }

    void start(const std::vector<std::string_view>& w, int lineNo) {
        if (!once(src_.startLine, "start", lineNo)) return;
        if (!arity(w, lineNo,
                   {"start", "COLUMN ROW (the cell of the hero's feet)", "KOLUMNA WIERSZ (pole stóp bohatera)",
                    "СТОВПЕЦЬ РЯДОК (клітинка ніг героя)"},
                   2, 2))
            return;
        const auto c = cellNumber(w[1]);
        if (!c) return notCell(w[1], lineNo);
        const auto r = cellNumber(w[2]);
        if (!r) return notCell(w[2], lineNo);
        src_.level.playerX = cellToPixel(*c) - kStartOffset;
        src_.level.playerY = cellToPixel(*r);
        startPlace_ = place(w[1], w[2]);
    }

    void blocks(const std::vector<std::string_view>& w, int lineNo) {
        if (installed_ == nullptr) {
            problem(lineNo, "\"blocks\" is for lesson levels: a level of the game uses its own block picture",
                    "\"blocks\" jest dla poziomów lekcji: poziom gry używa własnego obrazka klocków",
                    "\"blocks\" — для рівнів уроків: рівень гри має власну картинку блоків");
            return;
        }
        if (!arity(w, lineNo,
                   {"blocks", "the number 1 to 7 of a block picture", "numer obrazka klocków od 1 do 7",
                    "номер картинки блоків від 1 до 7"},
                   1, 1))
            return;
        if (!once(blocksLine_, "blocks", lineNo)) return;
        const auto v = wholeNumber(w[1]);
        if (!v || *v < 1 || *v > kSheets) {
            problem(lineNo, "\"blocks\" takes a block picture number 1 to 7, not " + quoted(w[1]),
                    "\"blocks\" przyjmuje numer obrazka klocków od 1 do 7, nie " + quoted(w[1]),
                    "\"blocks\" приймає номер картинки блоків від 1 до 7, а не " + quoted(w[1]));
            return;
        }
        src_.level.blockSheet = *v;
    }

    void token(const std::vector<std::string_view>& w, int lineNo) {
        if (!arity(w, lineNo, {"bonus", "SYMBOL COLUMN ROW", "ZNAK KOLUMNA WIERSZ", "ЗНАК СТОВПЕЦЬ РЯДОК"}, 3, 3)) return;
        const int type = w[1].size() == 1 ? tokenType(w[1][0]) : 0;
        if (type == 0) {
            problem(lineNo, "unknown token " + quoted(w[1]) + ": use 1 to 9, + - * / or =",
                    "nieznany żeton " + quoted(w[1]) + ": dozwolone 1 do 9, + - * / lub =",
                    "невідомий жетон " + quoted(w[1]) + ": можна від 1 до 9, + - * / або =");
            return;
        }
        const auto c = cellNumber(w[2]);
        if (!c) return notCell(w[2], lineNo);
        const auto r = cellNumber(w[3]);
        if (!r) return notCell(w[3], lineNo);
        if (static_cast<int>(src_.level.tokens.size()) == kMaxTokens) {
            if (!tooManyReported_) problem(lineNo, "more than 30 tokens", "więcej niż 30 żetonów", "понад 30 жетонів");
            tooManyReported_ = true;
            return;
        }
        src_.level.tokens.push_back({cellToPixel(*c) - kTokenOffset, cellToPixel(*r) - kTokenOffset, type});
        src_.tokenLines.push_back(lineNo);
        tokenPlaces_.push_back(place(w[2], w[3]));
    }

    void gridRow(std::string_view row, int lineNo) {
        const int r = gridRows_++;
        if (row.size() != static_cast<std::size_t>(kColumns)) {
            problem(lineNo, "a grid row has 20 cells; this one has " + num(static_cast<long>(row.size())),
                    "wiersz siatki ma 20 pól; ten ma " + num(static_cast<long>(row.size())),
                    "рядок сітки має 20 клітинок; цей має " + num(static_cast<long>(row.size())));
            gridBroken_ = true;
            return;
        }
        for (int c = 0; c < kColumns; ++c) {
            const int v = cellValue(row[static_cast<std::size_t>(c)]);
            if (v == -2) {
                // The whole character, also when it takes several bytes.
                std::size_t n = 1;
                while (c + n < row.size() && (static_cast<unsigned char>(row[c + n]) & 0xC0) == 0x80) ++n;
                const std::string_view bad = row.substr(static_cast<std::size_t>(c), n);
                problem(lineNo, "unknown cell " + quoted(bad) + " in column " + num(c) + ": use . # X = O",
                        "nieznane pole " + quoted(bad) + " w kolumnie " + num(c) + ": dozwolone . # X = O",
                        "невідома клітинка " + quoted(bad) + " у стовпці " + num(c) + ": можна . # X = O");
                gridBroken_ = true;
                return;
            }
            src_.level.cells[r][c] = v;
        }
    }

    void endGridEarly() {
        problem(src_.gridLine, "the grid has " + num(gridRows_) + (gridRows_ == 1 ? " row" : " rows") + "; it needs 14",
                "siatka ma wierszy: " + num(gridRows_) + "; potrzeba 14", "рядків у сітці: " + num(gridRows_) + "; треба 14");
        gridRows_ = kRows + 1;  // reported; the grid is done
        gridBroken_ = true;
    }

    const Scenery* scenery(std::string_view background) const {
        if (installed_ == nullptr) return nullptr;
        for (const Scenery& s : *installed_)
            if (s.background == background) return &s;
        return nullptr;
    }

    // What only the whole level can tell: the missing parts, the board's place on the picture,
    // tokens and the start against the grid.
    void finish() {
        const int last = std::max(src_.lineCount, 1);
        auto missing = [&](int seen, std::string_view keyword, std::string_view en, std::string_view pl, std::string_view uk) {
            if (seen == 0)
                problem(last, "no " + quoted(keyword) + " line: " + std::string(en),
                        "brak wiersza " + quoted(keyword) + ": " + std::string(pl),
                        "немає рядка " + quoted(keyword) + ": " + std::string(uk));
        };
        missing(backgroundLine_, "background", "the level needs a background picture", "poziom potrzebuje obrazka tła",
                "рівню потрібна картинка тла");
        missing(src_.boardLine, "board", "the number on the board is missing", "brak liczby na tablicy",
                "немає числа на табличці");
        missing(src_.startLine, "start", "the hero's start is missing", "brak miejsca startu bohatera", "немає старту героя");
        missing(src_.gridLine, "grid", "the level needs its 14 rows of 20 cells", "poziom potrzebuje 14 wierszy po 20 pól",
                "рівню потрібні 14 рядків по 20 клітинок");
        if (std::none_of(src_.level.tokens.begin(), src_.level.tokens.end(),
                         [](const Token& t) { return t.type == kTokenEquals; }))
            problem(last, "no \"=\" token: the sum can never be checked", "brak żetonu \"=\": działania nie da się sprawdzić",
                    "немає жетона \"=\": приклад ніколи не перевірити");

        if (const Scenery* s = scenery(src_.level.background); s != nullptr && src_.boardLine != 0) {
            if (boardPlaceGiven_ && (src_.level.targetX != s->boardX || src_.level.targetY != s->boardY)) {
                problem(src_.boardLine, "the board of " + s->background + " is at " + num(s->boardX) + " " + num(s->boardY),
                        "tablica na " + s->background + " jest w miejscu " + num(s->boardX) + " " + num(s->boardY),
                        "табличка на " + s->background + " стоїть у місці " + num(s->boardX) + " " + num(s->boardY));
            }
            src_.level.targetX = s->boardX;
            src_.level.targetY = s->boardY;
        }

        const bool gridKnown = src_.gridLine != 0 && !gridBroken_;
        checkTokenPlaces(src_, tokenPlaces_, gridKnown, file_, problems_);
        if (!startPlace_.en.empty()) checkStart(src_, startPlace_, gridKnown, file_, problems_);
    }

    const std::string& file_;
    const std::vector<Scenery>* installed_;
    LevelSource& src_;
    std::vector<Problem>& problems_;
    int gridRows_ = -1;  // -1 before "grid"; rows read; above 14 once the grid was cut short
    bool gridBroken_ = false;
    bool extraRowReported_ = false;
    bool tooManyReported_ = false;
    bool boardPlaceGiven_ = false;
    int titleLine_ = 0;
    int backgroundLine_ = 0;
    int blocksLine_ = 0;
    Text startPlace_;
    std::vector<Text> tokenPlaces_;
};

}  // namespace

bool readLevelText(std::string_view text, const std::string& file, const std::vector<Scenery>* installed, LevelSource& source,
                   std::vector<Problem>& problems) {
    source = LevelSource{};
    for (auto& row : source.level.cells) std::fill(std::begin(row), std::end(row), -1);
    const std::size_t before = problems.size();
    Reader(file, installed, source, problems).read(text);
    return problems.size() == before;
}

}  // namespace lvl
