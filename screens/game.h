// The game: the window, the display, the keyboard, the music, the world, the screen flags and
// timers, and the frame step. A host (shell/host.h, the replay library, a browser page) calls
// step() again and again; each call runs one piece of the game (a pass of the main loop, a
// frame of a level, a look at the clock during a curtain, a change of state) and says what the
// host does before the next call. Nothing in the game waits or loops on the clock.
#pragma once

#include "display/curtain.h"
#include "display/display.h"
#include "platform/platform.h"
#include "screens/frame_rate.h"
#include "screens/game_window.h"
#include "screens/lessons.h"
#include "screens/places.h"
#include "shell/error.h"
#include "texts/texts.h"
#include "world/class_room.h"
#include "world/game_world.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct CreditLine {
    std::int32_t x = 0;
    std::int32_t direction = 0;  // -1 left, 0 standing, +1 right
};

inline constexpr std::int32_t kInputFailed = static_cast<std::int32_t>(0x80004005);
inline constexpr int kMaxMusicVolume = 192;

// The screen a player sees, worked out from the six screen flags (the title, a game running,
// paused, the story, a level's result, the name entry). The game goes by the flags themselves;
// scripts, tests and tools ask this one question.
enum class Screen : std::uint8_t {
    None,  // no world yet, or between two levels
    Title,
    HighScores,  // the table, with or without a name being typed
    Story,
    WhoPlays,  // the class's names, before a game (only with a class folder)
    Play,
    Pause,    // over the level, the story or a result
    Result,   // a finished level's box: won, the ending, lost or game over
    Lessons,  // the lesson chooser over the title, or its box of why a lesson cannot be played
};

// What the host does after a step, before the next one.
struct Next {
    enum class Kind : std::uint8_t {
        Step,   // step again at once: the game changed state and showed nothing new
        Frame,  // a frame was flipped (the flip kept the pace): step again; a page returns first
        Nap,    // the window is in the background: step again on the next event or after `ms`
        Sleep,  // a curtain's next cell is due in `ms`: step again then
        End,    // the game is over: `exitCode` is the program's
    };
    Kind kind = Kind::Step;
    std::uint32_t ms = 0;
    int exitCode = 0;
};

class Game {
public:
    // The trace goes where `trace` says (nowhere unless told); the display's construction
    // starts it afresh. The game speaks `language` ("pl", the game's own, or one with a
    // translation).
    explicit Game(ErrorReporter trace = {}, std::string_view language = texts::kPolish);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // ---- the frame step ----------------------------------------------------------------------
    // The main loop's set-up, after start-up: the world, the high-score table, the title buttons
    // and the clock.
    void begin();
    Next step();
    void close();
    void setActive(std::uintptr_t flag);
    // A failure where it happens: "Błąd!" (or its translation) drawn at its place, a line written to the trace
    // ("błąd \n" unless another is given), and the window asked to close; the caller goes on.
    void reportFailure(const char* traceLine = nullptr);

    // ---- window procedure ----------------------------------------------------------------
    static std::intptr_t windowProc(void* owner, std::uint32_t message, std::uintptr_t value, std::intptr_t where);
    std::intptr_t handleMessage(std::uint32_t message, std::uintptr_t value, std::intptr_t where);
    void onEscape();
    // A left-button click at `at` (frame coordinates).
    void onClick(plat::Point at);
    // What the button of `code` does, clicked or pressed with a key.
    void pressButton(std::int32_t code);
    // True when `at` lies where the button of `code` answers the mouse.
    bool buttonUnder(std::int32_t code, plat::Point at) const;

    // ---- buttons without a mouse -------------------------------------------------------------
    // The buttons `first` .. `first` + `count` - 1 are drawn this frame: they are the ones on
    // screen, and the one to draw highlighted is returned and kept in hoverButton (0 for none):
    // the one the keys chose, unless the mouse has moved since, else the one under the mouse.
    std::int32_t showButtons(plat::Point mouse, std::int32_t first, std::int32_t count);
    void showNoButtons();
    // A key-down message other than Escape: the arrows and Tab move the highlight among the
    // buttons on screen, Enter, Space and a gamepad's south button press the highlighted one;
    // a gamepad's Start and east buttons pause and resume.
    void onKey(std::uintptr_t key);
    void chooseButton(std::int32_t step);
    void onGamepadPause(std::uintptr_t key);

    // ---- keyboard ----------------------------------------------------------------------------
    std::int32_t initInput();
    std::int32_t createKeyboard();
    void releaseInput();
    void releaseKeyboard();
    void releaseInputObject();

    // ---- music -------------------------------------------------------------------------------
    void startMusic();
    void fadeInMusic();
    void closeMusic();

    // ---- screens -----------------------------------------------------------------------------
    void titleFrame();
    // ---- the lesson chooser (screens/lesson_chooser.cpp) ---------------------------------------
    struct LessonPage {
        std::int32_t first = 0;    // the choice in the top row: 0 the classic game, n lesson n - 1
        std::int32_t choices = 0;  // rows of choices
        bool more = false;         // a row for the next page follows them
        std::int32_t rows = 0;     // and the last row goes back
    };
    LessonPage lessonPage() const;
    void openLessons();
    void lessonFrame();
    void refusalBox(plat::Point mouse);
    void pressLessonButton(std::int32_t code);
    void chooseLesson(std::int32_t choice);
    void takeLesson(const LessonStart& start);
    // NOWA GRA once who plays is known: the lesson chooser when there are lessons, else the game.
    void chooseLessonOrPlay();
    void scrollCredits();
    void nameEntryFrame(std::int32_t row);
    // The end of a game whose score may enter the table: the high-score screen with its entry.
    void startNameEntry();
    // The key the name entry takes now (scan code 0 for none): the next press or repeat of a key
    // it uses.
    plat::KeyPress nextEntryKey();
    // Which screen shows (read only).
    Screen screenShown() const;
    // The level's caption, its file read into the world, then its pictures.
    void loadLevel(std::int32_t number);
    void showCursor();
    void hideCursor();

    // ---- who plays (only with a class folder) --------------------------------------------------
    // NOWA GRA: true when the who-plays screen opens instead of the game (a class to choose
    // from, or a class folder that cannot be written and has not been said so yet).
    bool askWhoPlays();
    void whoPlaysFrame();
    // The two lines that say the class folder cannot be written, moved by these from the box's places.
    void drawUnwritable(texts::Point shift, texts::Point keptShift);
    // A name or the screen's button pressed: a name starts the game as that child's.
    void pressWhoPlaysButton(std::int32_t code);
    void leaveWhoPlays();
    // A name as the high-score entry can hold it: at most eight of A to Z and spaces, the
    // letters made capitals and stripped of their Polish marks, other signs left out; with
    // `extraLetters` (a game outside Polish) the bitmap font's extra letters kept as typing keeps them.
    static std::string entryNameOf(std::string_view name, bool extraLetters = false);

    // ---- the play routine --------------------------------------------------------------------
    using KeyState = std::array<std::uint8_t, 256>;
    // A whole game, level after level, as a state of the step: started by NOWA GRA.
    void startNewGame();
    void startPlay();
    void startLevel();
    // One frame of a level.
    Next playFrame();
    void drawLevelAndHud(std::uint32_t framesShown);
    void playInput();
    void pauseMenu();
    void storyBox();
    void resultBox();
    void boxButton(plat::Point mouse, std::int32_t code, texts::TextId label);
    // A button's box, lighter when highlighted.
    void drawButtonBox(bool highlighted, const FrameRect& place);

    // ---- fields --------------------------------------------------------------------------------
    ErrorReporter error;
    std::uint32_t lastTick = 0;
    std::uint32_t now = 0;
    std::uint32_t elapsed = 0;
    GameWindow window;
    Display display;
    texts::Texts texts;                // every text a child sees, in the game's language
    std::unique_ptr<GameWorld> world;  // made by begin()
    bool onTitle = false;
    bool onNameEntry = false;
    bool paused = false;
    std::int32_t levelNumber = 0;
    bool showStory = false;
    bool cursorShown = false;
    bool showFrameRate = true;  // the frame counter; a lesson pack may hide it
    // A page steps the game once per display refresh, later than a curtain's cells fall due: its
    // curtains catch up with the clock, so that they take the desktop's time.
    Curtain::Pace curtainPace = Curtain::Pace::CellPerLook;
    // The lessons offered when NOWA GRA is pressed (none: it starts the game at once), the one
    // played (0 the classic game, n lesson n - 1), the chooser shown, its page, and the box that
    // says why the one chosen cannot start (no heading for none).
    LessonShelf lessons;
    std::int32_t lessonPlayed = 0;
    bool choosingLesson = false;
    std::int32_t lessonPageShown = 0;
    struct Refusal {
        std::optional<texts::TextId> heading;
        std::string why;
    };
    Refusal refusal;
    std::string lessonTitle;  // of a lesson played, shown in play and above its table (texts.drawn)
    std::int32_t hoverButton = kHoverNone;
    // The buttons drawn in the last frame (codes firstButtonShown on, buttonsShown of them), the
    // one under the mouse, and the one chosen with the keys with where the mouse was then.
    std::int32_t firstButtonShown = kHoverNone;
    std::int32_t buttonsShown = 0;
    std::int32_t pointerButton = kHoverNone;
    std::int32_t keyButton = kHoverNone;
    plat::Point keyButtonMouse;
    // Set when a key pressed a button: Up (a gamepad's south button too) held then does not
    // jump in the level until it is let go.
    bool holdUpBack = false;
    CreditLine creditLines[2] = {};
    std::int32_t creditIndex = 0;
    bool inputObject = false;  // the input object exists
    bool keyboard = false;     // the keyboard source exists
    std::int32_t useKeyboard = 0;
    plat::SongHandle song = 0;
    std::int32_t musicVolume = 0;
    // Set when a quit message was taken inside a game; the main loop then ends with this code
    // as it would on the message itself.
    bool quitTaken = false;
    int quitCode = 0;
    // Given to the world the game makes: told of levels, sums and game ends (the class's
    // records); none unless the program sets one before start-up.
    PlayObserver* playObserver = nullptr;
    // The class folder, if one is named: who plays, and its table; none in the classic game.
    ClassRoom* classRoom = nullptr;
    bool choosingPlayer = false;
    std::int32_t playerPage = 0;
    bool unwritableSaid = false;  // the box saying the class folder cannot be written was shown
    // The chosen child's name as the high-score entry starts it (A to Z and spaces).
    std::string entryName;

private:
    // The states of the step, innermost first: a change of screen behind the curtains (over a
    // game or the main loop), a game (over the main loop), and the main loop's pass, each
    // resuming where it was when the one above it ends.
    enum class PassPart : std::uint8_t { Poll, AfterMessage, AfterScreen };
    enum class PlayPart : std::uint8_t { Start, NextLevel, Frames };
    struct ScreenChange {
        enum class Middle : std::uint8_t { Background, Level };
        Middle middle;
        Curtain curtain;
        bool revealing = false;
    };

    void pressTitleButton(std::int32_t code);
    Next mainPass();
    Next playStep();
    Next screenChangeStep();
    // The curtain falls, `middle` is done behind it, the curtain lifts.
    void changeScreen(ScreenChange::Middle middle);
    void drawNewLevel();
    bool nested() const { return playing_ || change_.has_value(); }
    Next end(int exitCode);

    PassPart pass_ = PassPart::Poll;
    std::uint32_t messageTaken_ = 0;  // the id of the message the pass took, 0 for none
    FrameRate mainFrameRate_;
    bool playing_ = false;
    PlayPart play_ = PlayPart::Start;
    FrameRate playFrameRate_;
    KeyState keys_ = {};  // the play routine's last key state, all released before the first read
    std::optional<ScreenChange> change_;
    std::optional<int> exitCode_;
};
