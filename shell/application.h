// The one application object: the window, the display, the keyboard, the music, the screen
// flags and timers, and the game world. Start-up, the main loop and the screens are its
// members.
#pragma once

#include "display/display.h"
#include "platform/platform.h"
#include "shell/error.h"
#include "shell/frame_rate.h"
#include "shell/game_window.h"
#include "texts/texts.h"
#include "world/game_world.h"

#include <array>
#include <cstdint>
#include <string_view>

struct CreditLine {
    std::int32_t x = 0;
    std::int32_t direction = 0;  // -1 left, 0 standing, +1 right
};

// Which on-screen button shows highlighted: the one under the mouse, or the one chosen with
// the keys or a gamepad.
enum HoverCode : std::int32_t {
    kHoverNone = 0,
    kHoverNewGame = 1,
    kHoverHighScores = 2,
    kHoverExit = 3,
    kHoverStart = 4,
    kHoverNextWon = 5,
    kHoverNextLost = 6,
    kHoverGameOver = 7,
    kHoverResume = 8,
    kHoverRestart = 9,
    kHoverQuit = 10,
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
    Play,
    Pause,   // over the level, the story or a result
    Result,  // a finished level's box: won, the ending, lost or game over
};

class Application {
public:
    // The game in `language` ("pl", the game's own, or one with a translation).
    explicit Application(std::string_view language = texts::kPolish);
    ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // ---- start-up, main loop, shutdown -----------------------------------------------------
    int run();
    int mainLoop();
    void close();
    void setActive(std::uintptr_t flag);

    // ---- window procedure ----------------------------------------------------------------
    static std::intptr_t windowProc(void* owner, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
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
    // A failure where it happens: "Błąd!" drawn at (320, 230), a line written to the trace
    // ("błąd \n" unless another is given), and the window asked to close; the caller goes on.
    void reportFailure(const char* traceLine = nullptr);
    std::int32_t createKeyboard();
    void releaseInput();
    void releaseKeyboard();
    void releaseDirectInput();

    // ---- music -------------------------------------------------------------------------------
    void startMusic();
    void fadeInMusic();
    void closeMusic();

    // ---- screens -----------------------------------------------------------------------------
    void titleFrame();
    void scrollCredits();
    void nameEntryFrame(std::int32_t row);
    // The end of a game whose score may enter the table: the high-score screen with its entry.
    void startNameEntry();
    // The key the name entry takes now (0 for none): the next press, or the held key's repeat.
    std::uint8_t nextEntryKey(const std::uint8_t keys[256]);
    // Which screen shows (read only).
    Screen screenShown() const;
    void playRoutine();
    // The level's caption, its file read into the world, then its pictures.
    void loadLevel(std::int32_t number);
    void showCursor();
    void hideCursor();

    // ---- the play routine's parts ------------------------------------------------------------
    // Locals of one call of the play routine: the frame-rate counter and the last key state.
    using KeyState = std::array<std::uint8_t, 256>;
    struct PlayLocals {
        FrameRate frameRate;
        KeyState keys = {};  // all released before the first read
    };
    void startLevel();
    // One frame of a level; false when the quit message was taken.
    bool playFrame(PlayLocals& locals);
    void drawLevelAndHud(std::uint32_t framesShown);
    void playInput(KeyState& keys);
    void pauseMenu();
    void storyBox();
    void resultBox();
    void boxButton(plat::Point mouse, std::int32_t code, texts::TextId label);

    // ---- fields --------------------------------------------------------------------------------
    ErrorReporter error;
    std::uint32_t lastTick = 0;
    std::uint32_t now = 0;
    std::uint32_t elapsed = 0;
    GameWindow window;
    Display display;
    texts::Texts texts;          // every text a child sees, in the game's language
    GameWorld* world = nullptr;  // made by the main loop, kept until the process ends
    bool onTitle = false;
    bool onNameEntry = false;
    bool paused = false;
    std::int32_t levelNumber = 0;
    bool showStory = false;
    bool cursorShown = false;
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
    // The name entry's held key: the last key it took, and when that key starts repeating.
    std::uint8_t repeatKey = 0;
    std::uint32_t repeatDue = 0;
    CreditLine creditLines[2] = {};
    std::int32_t creditIndex = 0;
    bool directInput = false;  // the input object exists
    bool keyboard = false;     // the keyboard source exists
    std::int32_t useKeyboard = 0;
    plat::SongHandle song = 0;
    std::int32_t musicVolume = 0;
    // Set when a quit message was taken inside the play routine's own loop; the main loop
    // then ends with this code as it would on the message itself.
    bool quitTaken = false;
    int quitCode = 0;
};
