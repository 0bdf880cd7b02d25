// Who plays, with a class folder: after NOWA GRA the class's names, a page of three columns at
// a time over the title picture, chosen with the mouse, the keys or a gamepad as any button is;
// the chosen name's game starts and its high-score entry starts with that name typed. A class
// folder that cannot be written is said once, in a box, before the game.
#include "platform/cp1250.h"
#include "screens/game.h"

#include <algorithm>
#include <cstring>

namespace {

using texts::TextId;

// The box's two lines, shown again under the names 10 pixels to the left, lower by these.
constexpr texts::Point kUnwritableUnderNames = {-10, 243};
constexpr texts::Point kKeptHereUnderNames = {-10, 235};
constexpr std::size_t kShownLength = 18;  // the longest name a button shows whole, in characters

// The name as its button shows it, in the game's bytes; a long one is cut with "…".
std::string shownName(const texts::Texts& words, const std::string& utf8) {
    std::size_t length = 0;
    std::size_t cut = 0;
    for (std::size_t i = 0; i < utf8.size(); ++length) {
        plat::nextCodePoint(utf8.data(), utf8.size(), i);
        if (length + 1 == kShownLength - 1) cut = i;
    }
    return words.drawn(length > kShownLength ? utf8.substr(0, cut) + "…" : utf8);
}

std::int32_t pagesOf(std::size_t names) {
    return static_cast<std::int32_t>((names + places::kPlayersOnPage - 1) / places::kPlayersOnPage);
}

// A capital A to Z for a letter of the Polish alphabet, 0 for any other sign.
char capitalOf(char32_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
    constexpr struct {
        char32_t marked;
        char plain;
    } kMarked[] = {{U'ą', 'A'}, {U'ć', 'C'}, {U'ę', 'E'}, {U'ł', 'L'}, {U'ń', 'N'}, {U'ó', 'O'},
                   {U'ś', 'S'}, {U'ź', 'Z'}, {U'ż', 'Z'}, {U'Ą', 'A'}, {U'Ć', 'C'}, {U'Ę', 'E'},
                   {U'Ł', 'L'}, {U'Ń', 'N'}, {U'Ó', 'O'}, {U'Ś', 'S'}, {U'Ź', 'Z'}, {U'Ż', 'Z'}};
    for (const auto& m : kMarked)
        if (m.marked == c) return m.plain;
    return 0;
}

}  // namespace

std::string Game::entryNameOf(std::string_view name, bool extraLetters) {
    std::string entry;
    std::size_t i = 0;
    while (i < name.size() && entry.size() < static_cast<std::size_t>(kNameLength)) {
        const char32_t c = plat::nextCodePoint(name.data(), name.size(), i);
        if (const char capital = capitalOf(c); capital != 0) entry.push_back(capital);
        else if (const std::uint8_t extra = extraLetters ? texts::nameLetter(c) : 0; extra != 0)
            entry.push_back(static_cast<char>(extra));
        else if (c == ' ' && !entry.empty() && entry.back() != ' ') entry.push_back(' ');
    }
    while (!entry.empty() && entry.back() == ' ') entry.pop_back();
    return entry;
}

bool Game::askWhoPlays() {
    if (classRoom == nullptr) return false;
    entryName.clear();
    const bool sayUnwritable = classRoom->unwritable() && !unwritableSaid;
    if (classRoom->names().empty() && !sayUnwritable) return false;
    onTitle = false;
    choosingPlayer = true;
    playerPage = 0;
    showNoButtons();
    return true;
}

void Game::leaveWhoPlays() {
    choosingPlayer = false;
    onTitle = true;
    unwritableSaid = unwritableSaid || classRoom->unwritable();
    showNoButtons();
}

void Game::whoPlaysFrame() {
    const plat::Point mouse = plat::cursorPos();
    display.drawBackground();
    const std::vector<std::string>& names = classRoom->names();
    const bool sayUnwritable = classRoom->unwritable() && !unwritableSaid;
    if (names.empty()) {  // only the box that says so, and its DALEJ
        display.drawBox(10, 10, 110, 120, 149, 400, 150);
        drawUnwritable({}, {});
        boxButton(mouse, kHoverPlayOn, texts::TextId::ButtonNext);
        return;
    }

    const FrameRect& box = places::kWhoPlaysBox;
    display.drawBox(10, 10, 110, box.left, box.top, box.right - box.left, box.bottom - box.top);
    display.drawFontText(texts.place(TextId::PlayersHeading).x, texts.place(TextId::PlayersHeading).y,
                         texts.text(TextId::PlayersHeading));
    const std::int32_t pages = pagesOf(names.size());
    playerPage = std::clamp(playerPage, 0, pages - 1);
    const auto first = static_cast<std::size_t>(playerPage * places::kPlayersOnPage);
    const auto onPage = static_cast<std::int32_t>(std::min<std::size_t>(places::kPlayersOnPage, names.size() - first));

    const std::int32_t selected = pages > 1 ? showButtons(mouse, kHoverMorePlayers, 1 + onPage)
                                            : showButtons(mouse, kHoverFirstPlayer, onPage);
    for (std::int32_t i = 0; i < onPage; ++i) {
        const FrameRect place = places::playerName(i);
        drawButtonBox(selected == kHoverFirstPlayer + i, place);
        display.drawText(place.left + 8, place.top + 5, shownName(texts, names[first + static_cast<std::size_t>(i)]).c_str());
    }
    if (pages > 1) {
        drawButtonBox(selected == kHoverMorePlayers, places::kMorePlayers);
        display.drawText(texts.place(TextId::PlayersMore).x, texts.place(TextId::PlayersMore).y, texts.text(TextId::PlayersMore));
    }
    if (sayUnwritable) drawUnwritable(kUnwritableUnderNames, kKeptHereUnderNames);
}

void Game::drawUnwritable(texts::Point shift, texts::Point keptShift) {
    const texts::Point unwritable = texts.place(TextId::ClassUnwritable);
    const texts::Point kept = texts.place(TextId::ClassKeptHere);
    display.drawText(unwritable.x + shift.x, unwritable.y + shift.y, texts.text(TextId::ClassUnwritable));
    display.drawText(kept.x + keptShift.x, kept.y + keptShift.y, texts.text(TextId::ClassKeptHere));
}

void Game::pressWhoPlaysButton(std::int32_t code) {
    const std::vector<std::string>& names = classRoom->names();
    if (code == kHoverMorePlayers) {
        playerPage = (playerPage + 1) % std::max(1, pagesOf(names.size()));
        return;
    }
    std::string chosen;
    if (code >= kHoverFirstPlayer && code < kHoverFirstPlayer + places::kPlayersOnPage) {
        const auto index = static_cast<std::size_t>(playerPage * places::kPlayersOnPage + code - kHoverFirstPlayer);
        if (index >= names.size()) return;
        classRoom->choose(index);
        chosen = entryNameOf(names[index], !texts.polish());
    } else if (code != kHoverPlayOn) {
        return;
    }
    leaveWhoPlays();
    entryName = std::move(chosen);
    chooseLessonOrPlay();
}
