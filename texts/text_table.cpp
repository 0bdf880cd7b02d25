// Fixed bytes: the Polish texts are the game's own, to the letter; keep them as they are.
#include "texts/text_table.h"

#include <array>

namespace texts {

namespace {

// The message box of 400 x 150 at (120, 149), inside its white bars and a 2-pixel margin; a
// line has the 15 pixels to the next one, its shadow one pixel above.
constexpr Room boxLine(int y) { return {122, y - 3, 518, y + 16}; }
// The 70 x 30 button of the boxes at (285, 263), and the pause menu's 165 x 30 entries at x 238.
constexpr Room kBoxButton = {287, 265, 353, 291};
constexpr Room pauseEntry(int top) { return {238, top, 403, top + 30}; }
// The box of 340 x 48 at (150, 395) under the high-score table, inside a 2-pixel margin.
constexpr Room saveBoxLine(int y) { return {152, y - 3, 488, y + 16}; }
// A line across the whole frame.
constexpr Room frameLine(int y) { return {0, y - 3, 640, y + 16}; }
// The credits rest at x 50 and run to the right edge.
constexpr Room creditLine(int y) { return {48, y - 3, 640, y + 16}; }
// A row of the lesson chooser (the first, 340 x 30 at (150, 85)), inside a 2-pixel margin; its
// text starts 12 pixels in.
constexpr Room kLessonRow = {152, 87, 488, 113};
constexpr Point kLessonText = {162, 93};
// The box of a lesson that cannot start: why in three lines of 380 pixels.
constexpr Room kWhyLines = {130, 176, 510, 176 + 3 * kLinePitch};
// Who plays: its box of 580 x 440 at (30, 30), its heading centred over the name columns, the
// button to the next page (140 x 26 at (250, 380)) inside a 2-pixel margin.
constexpr Room kPlayersHeading = {32, 36, 594, 56};
constexpr Room kMorePlayers = {252, 382, 388, 404};

using enum TextId;
constexpr Kind L = Kind::Line;
constexpr Kind F = Kind::Font;
constexpr Kind P = Kind::Picture;
constexpr Kind D = Kind::Dialog;
constexpr Align kLeft = Align::Left;
constexpr Align kMid = Align::Centre;

constexpr const char* kStory = "The story box, shown once at the start of a game. Its lines read as one text.";
constexpr const char* kEnding =
    "The box after the last level is won. Its lines read as one text; the button's word as in button.next.";
constexpr const char* kWon = "The box of a won level. The button's word as in button.next.";
constexpr const char* kLost = "The box of a lost level, a life left.";
constexpr const char* kOver = "The box of the last life lost. Speak to the child without naming a gender where you can.";
constexpr const char* kButton = "A button of the boxes (70 x 30): short capitals.";
constexpr const char* kPause = "The pause menu (Escape), an entry of 165 x 30.";
constexpr const char* kNotSaved =
    "A box under the high-score table when the table could not be written (a full disk, a read-only folder): the "
    "names are kept and the game saves them after the next game. Two lines, read as one text.";
constexpr const char* kCredit = "The title's credits, a caption line over a name line, in capitals.";
constexpr const char* kDialog =
    "The message window of a failed start, by the failure's code. Break lines with \\n; a line has at most 56 characters.";
constexpr const char* kMenu = "A title-menu button (100 x 36), capitals.";
constexpr const char* kRefusal =
    "The box over the lesson chooser when a lesson cannot start: this heading, why (a teacher's file and its mistake), and "
    "lessons.tell-teacher under them, with the button of button.next.";
constexpr const char* kUnwritable =
    "Two lines, read as one text: the class folder on the school's network cannot be written, so the scores stay on this "
    "computer. In a box before the first game, or under the names of who plays.";

// clang-format off
constexpr std::array<TextRow, 73> kTable = {{
    {StoryWelcome, "story.welcome", "Witaj!", L, kMid, {300, 155}, boxLine(155), 0, kStory},
    {Story1, "story.1", "Zły matematyk Minusor porwał Wielką Księgę Działań", L, kMid, {150, 170}, boxLine(170), 0, kStory},
    {Story2, "story.2", "aby już nikt w Numerii nie wiedział jak ich używać.", L, kMid, {150, 185}, boxLine(185), 0, kStory},
    {Story3, "story.3", "Tylko Ty możesz pomóc.", L, kMid, {230, 200}, boxLine(200), 0, kStory},
    {Story4, "story.4", "Aby przedostać się do księgi musisz, na każdym", L, kMid, {170, 215}, boxLine(215), 0, kStory},
    {Story5, "story.5", "poziomie ułożyć działania tak,", L, kMid, {210, 230}, boxLine(230), 0, kStory},
    {Story6, "story.6", "aby wynik był równy z wyświetlonym na tablicy.", L, kMid, {170, 245}, boxLine(245), 0, kStory},
    {Congratulations, "box.congratulations", "Gratulacje!", L, kMid, {290, 155}, boxLine(155), 0, "The first line of a won level's box and of the ending."},
    {Ending1, "ending.1", "Udało Ci się pokonać przeszkody zastawione przez", L, kMid, {150, 185}, boxLine(185), 0, kEnding},
    {Ending2, "ending.2", "złego Minusora i odzyskać Księgę Działań.", L, kMid, {170, 200}, boxLine(200), 0, kEnding},
    {Ending3, "ending.3", "Dzięki Twojej odwadze w Numerii znów zapanuje spokój.", L, kMid, {125, 215}, boxLine(215), 0, kEnding},
    {Ending4, "ending.4", "Aby sprawdzić swój wynik naciśnij DALEJ.", L, kMid, {190, 230}, boxLine(230), 0, kEnding},
    {Won1, "won.1", "Udało Ci się, przechodzisz na następny poziom", L, kMid, {150, 185}, boxLine(185), 0, kWon},
    {Won2, "won.2", "Aby kontynuować naciśnij DALEJ", L, kMid, {220, 215}, boxLine(215), 0, kWon},
    {Failed, "box.failed", "Niestety nie udało się!", L, kMid, {250, 155}, boxLine(155), 0, "The first line of a lost level's box and of the last life's."},
    {Needed, "lost.needed", "Potrzebne było:", L, kLeft, {150, 170}, {122, 167, 257, 186}, 0, "Followed by the board's number at x 260: keep it short."},
    {YourResult, "lost.yours", "Twój wynik:", L, kLeft, {150, 200}, {122, 197, 257, 216}, 0, "Followed by the value of the child's sum at x 260: keep it short."},
    {TryAgain, "lost.again", "Naciśnij DALEJ aby rozpocząć od nowa", L, kMid, {200, 230}, boxLine(230), 0, kLost},
    {Trapped, "over.trapped", "Wpadłeś w sidła złego Minusora!", L, kMid, {220, 190}, boxLine(190), 0, kOver},
    {NextTime, "over.next", "Może następnym razem pójdzie Ci lepiej", L, kMid, {190, 220}, boxLine(220), 0, kOver},
    {ButtonStart, "button.start", "START", L, kMid, {301, 271}, kBoxButton, 0, kButton},
    {ButtonNext, "button.next", "DALEJ", L, kMid, {301, 271}, kBoxButton, 0, kButton},
    {ButtonEnd, "button.end", "KONIEC", L, kMid, {295, 271}, kBoxButton, 0, kButton},
    {PauseTitle, "pause.title", "PAUZA", F, kMid, {293, 175}, {222, 171, 418, 191}, 0, "The pause menu's title in the bitmap font: capitals, 12 pixels each."},
    {PauseResume, "pause.resume", "Powrót do gry", L, kMid, {275, 203}, pauseEntry(195), 0, kPause},
    {PauseRestart, "pause.restart", "Zacznij poziom od nowa", L, kMid, {242, 243}, pauseEntry(235), 0, kPause},
    {PauseQuit, "pause.quit", "Wyjście", L, kMid, {293, 283}, pauseEntry(275), 0, kPause},
    {HudPoints, "hud.points", "PUNKTY", F, kMid, {568, 448}, {563, 448, 640, 462}, 0, "Over the points in the bottom right corner, bitmap font: six capitals at most."},
    {Loading, "loading", "Wczytuję...", L, kMid, {260, 230}, frameLine(230), 0, "Shown while the game starts."},
    {Failure, "failure", "Błąd!", L, kLeft, {320, 230}, {318, 227, 640, 246}, 0, "Shown when a level file or the keyboard fails, before the game closes."},
    {LevelCaption, "level.caption", "Poziom %d", L, kMid, {280, 230}, frameLine(230), 0, "Shown while a level loads; %d is its number, 1 to 7."},
    {SaveFailed, "scores.not-saved", "Nie udało się zapisać wyniku.", L, kMid, {221, 401}, saveBoxLine(401), 0, kNotSaved},
    {SaveLater, "scores.try-later", "Spróbuję jeszcze raz po następnej grze.", L, kMid, {186, 419}, saveBoxLine(419), 0, kNotSaved},
    {CreditProgramming, "credits.programming", "PROGRAMOWANIE:", L, kLeft, {50, 410}, creditLine(410), 0, kCredit},
    {CreditGraphics, "credits.graphics", "GRAFIKA:", L, kLeft, {50, 410}, creditLine(410), 0, kCredit},
    {CreditTeam, "credits.team", "ZESPÓŁ KALKULONA", L, kLeft, {50, 440}, creditLine(440), 0, kCredit},
    {CreditChildren, "credits.children", "DZIECI Z NUMERII", L, kLeft, {50, 440}, creditLine(440), 0, kCredit},
    {MenuNewGame, "menu.new", "NOWA GRA", P, kMid, {50, 18}, {8, 6, 92, 31}, 13, kMenu},
    {MenuHighScores, "menu.scores", "WYNIKI", P, kMid, {50, 18}, {8, 6, 92, 31}, 13, kMenu},
    {MenuExit, "menu.exit", "WYJŚCIE", P, kMid, {50, 18}, {8, 6, 92, 31}, 13, kMenu},
    {TitleSubtitle, "title.subtitle", "Przygoda w krainie Numerii", P, kMid, {320, 116}, {20, 102, 620, 131}, 17, "Under the game's name on the title picture."},
    {ScoresHeading, "scores.heading", "NAJLEPSZE WYNIKI", P, kMid, {320, 60}, {10, 28, 630, 93}, 40, "The heading of the high-score table."},
    {ScoresHint, "scores.hint", "ENTER - zapisz imię      ESC - menu", P, kMid, {320, 375}, {142, 363, 498, 388}, 13, "Under the high-score table: Enter saves the name being typed, Escape goes to the title."},
    {BoardCaption, "board.caption", "WYNIK", P, kMid, {0, 0}, {-33, -7, 33, 7}, 10, "Chalk caption over the number to make, on the board of every level (a slate 70 pixels wide)."},
    {DialogCaption, "dialog.caption", "Błąd!", D, kLeft, {}, {}, 0, "The caption of the message window of a failed start."},
    {Dialog0, "dialog.0", "Kategoria: ALERT:\nTa wartość nie oznacza błędu.\nNie powinneś wywoływać tej metody teraz.", D, kLeft, {}, {}, 0, kDialog},
    {Dialog1, "dialog.1", "Kategoria: GENERAL: Brak pamięci na wykonanie programu.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog2, "dialog.2", "Kategoria: Błędny uchwyt okna. Nie można zainicjować DirectDraw.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog3, "dialog.3", "Kategoria: VIDEO: DirectDraw nie jest zainstalowane w systemie. Aby program działał musisz go zainstalować.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog4, "dialog.4", "Kategoria: VIDEO: Nie można ustawić poziomu współpracy.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog5, "dialog.5", "Kategoria: VIDEO: Nie można zmienić rozdzielczości ekranu.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog6, "dialog.6", "Kategoria: VIDEO: Niewystarczająca ilość pamięci wideo.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog7, "dialog.7", "Kategoria: VIDEO: Brak pamięci na stworzenie powierzchni roboczej.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog8, "dialog.8", "Kategoria: VIDEO: Nie można wyczyścić powierzchni roboczej.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog9, "dialog.9", "Kategoria: VIDEO: Nie można zablokować powierzchni roboczej. Program nie może działać.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog10, "dialog.10", "Kategoria: VIDEO: Nie można odblokować powierzchni roboczej. Program nie może działać.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog11, "dialog.11", "Kategoria: VIDEO: Nie można pobrać formatu pixela.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog12, "dialog.12", "Kategoria: VIDEO: Wystąpił błąd przy flipowaniu powierzchni.\n", D, kLeft, {}, {}, 0, kDialog},
    {Dialog13, "dialog.13", "Kategoria: VIDEO: Wystąpił błąd przy tworzeniu kontekstu DD4.\n", D, kLeft, {}, {}, 0, kDialog},
    {DialogUnassigned, "dialog.unassigned", "Kategoria: ALERT:\nTen błąd jeszcze nie jest przypisany.\nDodaj go do pętli komunikatów 'error.showMessage'.", D, kLeft, {}, {}, 0, kDialog},
    {LessonsHeading, "lessons.heading", "LEKCJE", F, kMid, {284, 54}, {122, 44, 518, 80}, 0, "The lesson chooser's heading in the bitmap font: capitals, 12 pixels each."},
    {LessonClassic, "lessons.classic", "Kalkulon: zwykła gra", L, kLeft, kLessonText, kLessonRow, 0, "The lesson chooser's first row: the game without lessons, as it always was."},
    {LessonMore, "lessons.more", "Następne lekcje", L, kLeft, kLessonText, kLessonRow, 0, "The lesson chooser's row that turns to its next page of lessons."},
    {LessonBack, "lessons.back", "Powrót", L, kLeft, kLessonText, kLessonRow, 0, "The lesson chooser's last row: back to the title."},
    {LessonBroken, "lessons.broken", " (nie działa)", L, kLeft, kLessonText, {152, 87, 322, 113}, 0, "After the title of a lesson that cannot be played, in its row: keep the space in front."},
    {LessonCannot, "lessons.cannot", "Tej lekcji nie da się zagrać:", L, kMid, {229, 155}, boxLine(155), 0, kRefusal},
    {LessonNotSaved, "lessons.not-saved", "Nie udało się zapisać ostatniego wyniku.", L, kMid, {183, 155}, boxLine(155), 0, "The heading of the box when another lesson is chosen but the last score could not be written to its table."},
    {LessonSaveFirst, "lessons.save-first", "Inna lekcja ma inną tabelę: wynik musi najpierw trafić do swojej.", Kind::Lines, kLeft, {320, 179}, kWhyLines, 0, "Under lessons.not-saved: the score shown must reach its own lesson's table before another lesson's table is taken."},
    {LessonTellTeacher, "lessons.tell-teacher", "Powiedz o tym nauczycielowi.", L, kMid, {220, 235}, boxLine(235), 0, kRefusal},
    {PlayersHeading, "players.heading", "KTO GRA?", F, kMid, {265, 40}, kPlayersHeading, 0, "The heading of who plays (the class's names after NEW GAME), bitmap font: capitals, 12 pixels each."},
    {PlayersMore, "players.more", "NASTĘPNI", L, kMid, {280, 385}, kMorePlayers, 0, "The button of who plays that turns to the next page of the class's names (140 x 26)."},
    {ClassUnwritable, "class.unwritable", "Folder klasy jest niedostępny.", L, kMid, {210, 175}, boxLine(175), 0, kUnwritable},
    {ClassKeptHere, "class.kept-here", "Wyniki zostaną zapisane na tym komputerze.", L, kMid, {160, 205}, boxLine(205), 0, kUnwritable},
}};
// clang-format on

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (static_cast<std::size_t>(kTable[i].id) != i) return false;
    return static_cast<std::size_t>(ClassKeptHere) + 1 == kTable.size();
}
static_assert(inIdOrder(), "the rows follow TextId, one each");

}  // namespace

std::span<const TextRow> textTable() { return kTable; }

const TextRow& row(TextId id) { return kTable[static_cast<std::size_t>(id)]; }

TextId dialogOf(std::int32_t code) {
    // Looked up unsigned: negative codes fall through.
    const auto index = static_cast<std::uint32_t>(code);
    constexpr auto kCodes = static_cast<std::uint32_t>(DialogUnassigned) - static_cast<std::uint32_t>(Dialog0);
    return index < kCodes ? static_cast<TextId>(static_cast<std::uint32_t>(Dialog0) + index) : DialogUnassigned;
}

}  // namespace texts
