// Every text a child sees, in one table: the boxes and their buttons, the pause menu, the head-up
// display, the title's credits, the loading and level captions, the box of a table not saved,
// the message window of a failed start, the lesson chooser, who plays, and the captions the
// generator bakes into the pictures. Each has a stable key (the
// context of its translations in po/), its Polish words (the game's own, fixed to the letter), where the Polish game draws it and
// the room every language's text has to fit in.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace texts {

enum class TextId : std::uint8_t {
    // The story box, the result boxes and their buttons (drawn over the level, 400 x 150).
    StoryWelcome,
    Story1,
    Story2,
    Story3,
    Story4,
    Story5,
    Story6,
    Congratulations,
    Ending1,
    Ending2,
    Ending3,
    Ending4,
    Won1,
    Won2,
    Failed,
    Needed,
    YourResult,
    TryAgain,
    Trapped,
    NextTime,
    ButtonStart,
    ButtonNext,
    ButtonEnd,
    // The pause menu.
    PauseTitle,
    PauseResume,
    PauseRestart,
    PauseQuit,
    // The head-up display, the start-up and the loading of a level.
    HudPoints,
    Loading,
    Failure,
    LevelCaption,
    // The box under the high-score table when the table could not be saved.
    SaveFailed,
    SaveLater,
    // The title's credits.
    CreditProgramming,
    CreditGraphics,
    CreditTeam,
    CreditChildren,
    // Captions in the pictures.
    MenuNewGame,
    MenuHighScores,
    MenuExit,
    TitleSubtitle,
    ScoresHeading,
    ScoresHint,
    BoardCaption,
    // The message window of a failed start (the display could not be set up), its text by the
    // failure's code.
    DialogCaption,
    Dialog0,
    Dialog1,
    Dialog2,
    Dialog3,
    Dialog4,
    Dialog5,
    Dialog6,
    Dialog7,
    Dialog8,
    Dialog9,
    Dialog10,
    Dialog11,
    Dialog12,
    Dialog13,
    DialogUnassigned,
    // The lesson chooser over the title picture, and its box of a lesson that cannot start.
    LessonsHeading,
    LessonClassic,
    LessonMore,
    LessonBack,
    LessonBroken,
    LessonCannot,
    LessonNotSaved,
    LessonSaveFirst,
    LessonTellTeacher,
    // Who plays, with a class folder, and the box of a class folder that cannot be written.
    PlayersHeading,
    PlayersMore,
    ClassUnwritable,
    ClassKeptHere,
};

// How a text is drawn.
enum class Kind : std::uint8_t {
    Line,     // platform text (DejaVu Sans Bold, 12 point), white with a shadow
    Font,     // the bitmap font of the sprite sheet: capitals, 12 pixels a character
    Picture,  // baked into a picture by the generator, at the row's point size
    Dialog,   // a message window of the desktop: lines of at most kDialogLine characters
    Lines,    // platform text broken at spaces into lines of the room's width, kLinePitch apart
};

// The distance between the lines of a text broken into lines.
inline constexpr int kLinePitch = 16;

// The longest line of a message window's text, in characters (the Polish texts are broken to
// it where they show).
inline constexpr int kDialogLine = 56;

// Where a translation goes in its room: at the Polish text's left edge, or in the middle.
enum class Align : std::uint8_t { Left, Centre };

struct Point {
    int x = 0;
    int y = 0;
};

// A rectangle of the frame (or of a picture): right and bottom exclusive.
struct Room {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct TextRow {
    TextId id;
    std::string_view key;     // stable: "story.1"
    std::string_view polish;  // UTF-8; the game draws it in Windows-1250
    Kind kind;
    Align align;
    Point place;            // the Polish text's pen position (for pictures: the centre of the caption)
    Room room;              // what every language's text must fit in
    int pointSize = 0;      // pictures only
    std::string_view note;  // for translators: where it shows and what to mind
};

// Every row, in the order of TextId.
std::span<const TextRow> textTable();
const TextRow& row(TextId id);
// The text of a failure's code in the message window: Dialog0 .. Dialog13, DialogUnassigned
// for any other code.
TextId dialogOf(std::int32_t code);

}  // namespace texts
