// The lesson chooser: with lesson packs installed, NOWA GRA opens a list over the title picture,
// the classic game first and then each lesson by its title, a page of seven at a time. A row is
// chosen with the mouse, the arrows and Enter or a gamepad, as every button of the game is, and
// Escape (or the gamepad's east button) goes back. A lesson that cannot be played is marked and
// says why in a box when chosen. The classic game chosen plays as NOWA GRA always did; a lesson
// chosen plays from its own folder, with its own table, its title shown while it is played.
#include "screens/game.h"

#include <algorithm>

namespace {

using texts::TextId;

constexpr const char* kCut = "...";
constexpr std::int32_t kRowTextWidth = 316;

// The longest start of `text` (drawn bytes) that is at most `width` pixels wide, with "..." when
// cut.
std::string fitted(Display& display, const texts::Texts& words, const std::string& text, std::int32_t width) {
    if (display.textWidth(text.c_str()) <= width) return text;
    std::string cut = text;
    while (!cut.empty() && display.textWidth((cut + kCut).c_str()) > width) cut = words.withoutLast(cut);
    return cut + kCut;
}

// `text` broken at spaces into lines of at most `width` pixels, at most `most` of them.
std::vector<std::string> wrapped(Display& display, const texts::Texts& words, const std::string& text, std::int32_t width,
                                 std::size_t most) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = std::min(text.find(' ', at + 1), text.size());
        const std::string word = text.substr(at, space - at);
        if (!line.empty() && display.textWidth((line + word).c_str()) > width) {
            lines.push_back(line);
            line = word.substr(word.front() == ' ' ? 1 : 0);
        } else {
            line += word;
        }
        at = space;
    }
    if (!line.empty()) lines.push_back(line);
    if (lines.size() > most) {
        lines.resize(most);
        lines.back() = fitted(display, words, lines.back() + kCut, width);
    }
    return lines;
}

// Text centred on the frame's middle.
void centred(Display& display, std::int32_t y, const std::string& text) {
    display.drawText(layout::kFrameWidth / 2 - display.textWidth(text.c_str()) / 2, y, text.c_str());
}

}  // namespace

Game::LessonPage Game::lessonPage() const {
    const std::int32_t choices = 1 + static_cast<std::int32_t>(lessons.lessons.size());  // the classic game first
    const std::int32_t pages = (choices + places::kLessonsAPage - 1) / places::kLessonsAPage;
    LessonPage page;
    page.first = (lessonPageShown % pages) * places::kLessonsAPage;
    page.choices = std::min(places::kLessonsAPage, choices - page.first);
    page.more = pages > 1;
    page.rows = page.choices + (page.more ? 1 : 0) + 1;
    return page;
}

void Game::lessonFrame() {
    const plat::Point mouse = plat::cursorPos();
    display.drawBackground();
    if (refusal.heading) {
        refusalBox(mouse);
        return;
    }
    const LessonPage page = lessonPage();
    const FrameRect box = places::lessonBox(page.rows);
    display.drawBox(10, 10, 110, box.left, box.top, box.right - box.left, box.bottom - box.top);
    display.drawFontText(texts.place(TextId::LessonsHeading).x, texts.place(TextId::LessonsHeading).y,
                         texts.text(TextId::LessonsHeading));

    const std::int32_t selected = showButtons(mouse, kHoverLessonRow, page.rows);
    for (std::int32_t row = 0; row < page.rows; ++row) {
        const FrameRect place = places::lessonRow(row).drawn;
        const bool highlighted = kHoverLessonRow + row == selected;
        std::string label = texts.text(row == page.rows - 1 ? TextId::LessonBack : TextId::LessonMore);
        bool broken = false;
        if (row < page.choices) {
            const std::int32_t choice = page.first + row;
            if (choice == 0) label = texts.text(TextId::LessonClassic);
            else {
                const Lesson& lesson = lessons.lessons[static_cast<std::size_t>(choice - 1)];
                const char* mark = texts.text(TextId::LessonBroken);
                broken = !lesson.broken.empty();
                const std::string title = texts.drawn(lesson.title);
                label = broken ? fitted(display, texts, title, kRowTextWidth - display.textWidth(mark)) + mark
                               : fitted(display, texts, title, kRowTextWidth);
            }
        }
        // The pause menu's shades; a lesson that cannot be played in red.
        const std::int32_t shade = highlighted ? 90 : 20;
        const std::int32_t red = highlighted ? 28 : 22;
        const std::int32_t dim = highlighted ? 14 : 6;
        if (broken) display.drawBox(red, dim, dim, place.left, place.top, place.right - place.left, place.bottom - place.top);
        else display.drawBox(shade, shade, shade, place.left, place.top, place.right - place.left, place.bottom - place.top);
        const texts::Point pen = texts.place(TextId::LessonClassic);
        display.drawText(pen.x, pen.y + place.top - places::lessonRow(0).drawn.top, label.c_str());
    }
}

// Over the title picture: the lesson cannot be played or its table not taken, why (the first
// mistake of its files, or the score not saved), and DALEJ back to the list.
void Game::refusalBox(plat::Point mouse) {
    const FrameRect box = places::kRefusalBox;
    display.drawBox(10, 10, 110, box.left, box.top, box.right - box.left, box.bottom - box.top);
    const texts::Point heading = texts.place(*refusal.heading);
    display.drawText(heading.x, heading.y, texts.text(*refusal.heading));
    // Why in the place and the lines of the words that say why the table waits.
    const texts::Room lines = texts::row(TextId::LessonSaveFirst).room;
    std::int32_t y = lines.top + 3;
    for (const std::string& line :
         wrapped(display, texts, refusal.why, lines.width(), static_cast<std::size_t>(lines.height() / texts::kLinePitch))) {
        centred(display, y, line);
        y += texts::kLinePitch;
    }
    display.drawText(texts.place(TextId::LessonTellTeacher).x, texts.place(TextId::LessonTellTeacher).y,
                     texts.text(TextId::LessonTellTeacher));
    boxButton(mouse, kHoverLessonOk, texts::TextId::ButtonNext);
}

void Game::openLessons() {
    choosingLesson = true;
    lessonPageShown = 0;
    refusal = {};
    showNoButtons();
}

void Game::pressLessonButton(std::int32_t code) {
    if (refusal.heading) {
        if (code == kHoverLessonOk) refusal = {};
        return;
    }
    const LessonPage page = lessonPage();
    const std::int32_t row = code - kHoverLessonRow;
    if (row < 0 || row >= page.rows) return;
    if (row == page.rows - 1) choosingLesson = false;
    else if (row == page.choices) lessonPageShown += 1;
    else chooseLesson(page.first + row);
}

// The classic game (0) or lesson `choice` - 1 made the game's, then a new game of it.
void Game::chooseLesson(std::int32_t choice) {
    // Names a failed save left belong to the table shown: another table is taken only once they
    // are in theirs.
    GameWorld& w = *world;
    if ((choice > 0 || lessonPlayed != 0) && w.unsavedCount > 0 && !w.saveHighScores()) {
        refusal = {TextId::LessonNotSaved, texts.text(TextId::LessonSaveFirst)};
        return;
    }
    if (choice > 0) {
        Lesson& lesson = lessons.lessons[static_cast<std::size_t>(choice - 1)];
        LessonStart start;
        std::string why;
        if (lesson.broken.empty() && !lessons.enter(static_cast<std::size_t>(choice - 1), start, why)) lesson.broken = why;
        if (!lesson.broken.empty()) {
            refusal = {TextId::LessonCannot, texts.drawn(lesson.broken)};
            return;
        }
        takeLesson(start);
    } else if (lessonPlayed != 0) {
        lessons.enterClassic();
        takeLesson(LessonStart{});
    }
    lessonPlayed = choice;
    choosingLesson = false;
    startNewGame();
}

// The folder entered is the lesson's: its title and settings, and its table instead of the one
// shown.
void Game::takeLesson(const LessonStart& start) {
    lessonTitle = texts.drawn(start.title);
    if (world->observer != nullptr) world->observer->lessonChosen(start.title);
    showFrameRate = start.showFrameRate;
    GameWorld& w = *world;
    w.clearHighScores();
    if (!w.loadHighScores()) w.saveHighScores();
}
