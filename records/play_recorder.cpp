#include "records/play_recorder.h"

#include <utility>

namespace records {

namespace {

const char* endName(GameEnd how) {
    switch (how) {
    case GameEnd::Completed:
        return "completed";
    case GameEnd::Lost:
        return "lost";
    case GameEnd::Left:
        return "left";
    case GameEnd::Closed:
        return "closed";
    }
    return "closed";
}

}  // namespace

PlayRecorder::PlayRecorder(RecordWriter& writer, std::string child, std::string pack)
    : writer_(writer), nextChild_(std::move(child)), nextPack_(std::move(pack)) {}

PlayRecorder::~PlayRecorder() {
    if (inGame_) gameEnded(GameEnd::Closed, score_);
}

void PlayRecorder::levelStarted(std::int32_t level, std::int32_t lives, std::int32_t score) {
    if (!inGame_) {
        writer_.startFile();
        child_ = nextChild_;
        pack_ = nextPack_;
    }
    inGame_ = true;
    level_ = level;
    score_ = score;
    lives_ = lives;
    levelShown_ = std::chrono::steady_clock::now();
    write(make(Kind::Start, lives), false);
}

void PlayRecorder::sumJudged(const char* text, std::int32_t value, std::int32_t board, std::int32_t lives) {
    if (!inGame_) return;
    Record r = make(Kind::Sum, lives);
    r.sum = text;
    r.board = board;
    r.value = value;
    r.right = value == board;
    r.seconds = secondsInLevel();
    write(r, true);
}

void PlayRecorder::levelRestarted(std::int32_t livesLeft) {
    if (!inGame_) return;
    lives_ = livesLeft;
    Record r = make(Kind::Restart, livesLeft);
    r.seconds = secondsInLevel();
    write(r, true);
}

void PlayRecorder::gameEnded(GameEnd how, std::int32_t score) {
    if (!inGame_) return;  // the play routine left without a game
    Record r = make(Kind::End, how == GameEnd::Lost ? 0 : lives_);
    r.how = endName(how);
    r.score = score;
    write(r, true);
    inGame_ = false;
}

Record PlayRecorder::make(Kind kind, std::int32_t lives) const {
    Record r;
    r.kind = kind;
    r.time = localTimeNow();
    r.child = child_;
    r.pack = pack_;
    r.level = level_;
    r.lives = lives;
    return r;
}

double PlayRecorder::secondsInLevel() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - levelShown_).count();
}

void PlayRecorder::write(const Record& record, bool sync) {
    writer_.append(toLine(record));
    if (sync) writer_.sync();
}

}  // namespace records
