// The game's records: the observer the game tells of its levels, sums, restarts and ends,
// turning each into a record for the writer, one file per game. A level's end (a sum judged, a
// restart) and the game's end are synced to the disk.
#pragma once

#include "records/record.h"
#include "records/record_writer.h"
#include "world/play_observer.h"

#include <chrono>
#include <string>

namespace records {

class PlayRecorder : public PlayObserver {
public:
    // `pack` is the lesson pack's title, "" for the game's own levels.
    PlayRecorder(RecordWriter& writer, std::string child, std::string pack);
    // A game still going when the program ends (its window closed) ends "closed", with the
    // points it had when its last level began.
    ~PlayRecorder() override;

    void levelStarted(std::int32_t level, std::int32_t lives, std::int32_t score) override;
    void sumJudged(const char* text, std::int32_t value, std::int32_t board, std::int32_t lives) override;
    void levelRestarted(std::int32_t livesLeft) override;
    void gameEnded(GameEnd how, std::int32_t score) override;

    // Who plays from the next game on (a game's records are all of one child).
    void setChild(std::string child) { nextChild_ = std::move(child); }
    void lessonChosen(const std::string& title) override { nextPack_ = title; }

private:
    Record make(Kind kind, std::int32_t lives) const;
    double secondsInLevel() const;
    void write(const Record& record, bool sync);

    RecordWriter& writer_;
    std::string nextChild_;
    std::string child_;  // of the game being played
    std::string nextPack_;
    std::string pack_;  // of the game being played
    bool inGame_ = false;
    std::int32_t level_ = 0;
    std::int32_t score_ = 0;
    std::int32_t lives_ = 0;
    std::chrono::steady_clock::time_point levelShown_;
};

}  // namespace records
