// The game state: the level's tokens and block grid, the player figure, the collected
// sequence with its text, score and lives, the title-menu buttons, the frame tables used for
// drawing, and the high-score table. One object, made by the game's set-up and kept for the
// run; the drawing is handed it.
#pragma once

#include "shell/error.h"
#include "world/frame_rect.h"
#include "world/layout.h"
#include "world/tokens.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

struct Token {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t type = 0;
    FrameRect frames[layout::kTokenFrames] = {};
    std::int32_t animFrame = 0;
    std::int32_t frameCount = 0;
    bool active = false;
};

struct MenuButton {
    std::int32_t x = 0;
    std::int32_t y = 0;
    FrameRect frames[layout::kButtonFrames] = {};
    std::int32_t frameCount = 0;
    std::int32_t frame = 0;  // layout::kButtonRestingFrame at rest
    std::int32_t step = 0;   // +1 or -1
};

inline constexpr std::int32_t kLastLevel = 7;  // a game has seven levels
inline constexpr int kMaxTokens = 30;
inline constexpr int kGridRows = 14;
inline constexpr int kGridColumns = 20;
inline constexpr int kCollectedSize = 20;
inline constexpr int kHighScoreRows = 10;
inline constexpr int kNameLength = 8;
inline constexpr int kLevelNameBytes = 12;  // a picture name in a level file

// Player movement states; also the row of the player sheet that is drawn.
enum PlayerState : std::int32_t {
    kStanding = 0,
    kWalking = 1,
    kRising = 2,
    kFalling = 3,
};

class GameWorld {
public:
    // A world whose trace goes where `trace` says (nowhere unless told).
    explicit GameWorld(ErrorReporter trace = {}) : error(std::move(trace)) {}

    // ---- records and small operations -------------------------------------------------------
    // Fills `frames` for a grid of equal frames, row by row, tracing each; frames beyond whole
    // rows are left alone. Reads no field of a world, so the display uses it too.
    static bool initFrames(const ErrorReporter& trace, FrameRect* frames, std::int32_t x0, std::int32_t y0, std::int32_t count,
                           std::int32_t width, std::int32_t height, std::int32_t perRow);
    bool allocButtons(std::int32_t count);
    void initButton(std::int32_t index, std::int32_t x, std::int32_t y, std::int32_t type);
    void animateButton(std::int32_t index, std::uint32_t now);
    bool initBlockFrames();
    void initToken(std::int32_t index, std::int32_t x, std::int32_t y, std::int32_t type);
    void animateTokens(std::uint32_t now);
    void clearExpression();

    // ---- the player figure ----------------------------------------------------------------
    void initPlayer();
    void updatePlayer(bool left, bool right, bool up, bool down, std::uint32_t now);
    bool hitsBlock() const;
    bool standsOnBlock() const;

    // ---- tokens and the expression ---------------------------------------------------------
    void collectTokens();
    std::int32_t parseExpression(std::int32_t level);
    std::int32_t parseNumber();

    // ---- the level file -------------------------------------------------------------------
    // Reads a level file into the world, every step traced: the tokens cleared, then the
    // header, the names, the grid and the token records; a damaged file is made safe as it goes.
    // `failed` hears each failure with its trace line at the point it happens: a file that
    // cannot be opened ("\n nie znaleziono!"; nothing is read) and each checked piece the file
    // lacks ("błąd \n"; reading goes on). False when the file could not be opened; otherwise
    // `background` holds the stored background name.
    bool readLevel(const char* fileName, char (&background)[kLevelNameBytes + 1],
                   const std::function<void(const char* traceLine)>& failed);

    // ---- high scores ------------------------------------------------------------------------
    void clearHighScores();
    // Reads the table file into the table: 0, or errno of a file that cannot be opened (ENOENT
    // when it is missing).
    int readHighScores();
    // False when the file is missing (the start-up then makes it).
    bool loadHighScores();
    // The table as it is, written whole in place of the file; false when that failed.
    bool writeHighScores();
    // Saves the rows not saved yet into the table on disk as it is now, under the table's lock,
    // and shows that table. False when it failed: the reason is on standard error, the rows
    // stay unsaved for the next save, and the table shown keeps them.
    bool saveHighScores();
    void insertHighScore();
    // Places a row by its score below equal ones; its row, or -1 when it does not enter.
    std::int32_t placeRow(std::int32_t rowScore, const char* name);
    // Ends a name entry, if one is open, and saves the rows not saved yet (that name and any a
    // failed save left). False when they could not be saved.
    bool finishNameEntry();

    // ---- fields ------------------------------------------------------------------------------
    Token tokens[kMaxTokens] = {};
    std::int32_t tokenCount = 0;
    std::unique_ptr<MenuButton[]> buttons;
    std::int32_t buttonCount = 0;
    std::int32_t target = 0;
    std::int32_t targetX = 0;
    std::int32_t targetY = 0;
    std::int32_t playerX = 0;
    std::int32_t playerY = 0;
    std::int32_t playerWidth = 0;
    std::int32_t playerHeight = 0;
    std::int32_t playerState = kStanding;
    bool facingLeft = false;
    FrameRect playerFrames[layout::kHeroFrames] = {};
    std::int32_t animFrame = 0;
    std::int32_t animDelay = 0;
    std::int32_t animCounter = 0;
    std::int32_t jumpSteps = 0;  // rising steps spent since the figure last stood on a block
    std::int32_t result = 0;     // the expression's value once it has been evaluated
    std::int32_t lives = 0;
    bool levelRunning = false;
    bool levelOver = false;
    std::int32_t score = 0;
    std::int32_t levelStartScore = 0;
    std::int32_t collected[kCollectedSize] = {};
    std::int32_t collectedCount = 0;
    char expressionText[kCollectedSize] = {};
    std::int32_t parseCursor = 0;  // read position in expressionText
    std::int32_t blocks[kGridRows][kGridColumns] = {};
    FrameRect blockFrames[layout::kBlockKinds] = {};
    std::uint32_t lastStepTick = 0;  // the title buttons' animation shares it
    std::uint32_t lastTokenTick = 0;
    ErrorReporter error;
    std::int32_t hiScores[kHighScoreRows] = {};
    char hiNames[kHighScoreRows][kNameLength] = {};
    std::int32_t entryRow = -1;
    std::int32_t nameCursor = 0;
    // Names entered that are not on disk yet: a save failed. At most the ten best.
    struct UnsavedRow {
        std::int32_t score = 0;
        char name[kNameLength] = {};
    };
    UnsavedRow unsaved[kHighScoreRows] = {};
    std::int32_t unsavedCount = 0;

private:
    void keepUnsaved(std::int32_t rowScore, const char* name);
};
