// What one run of the game needs to keep its records: the class folder found from the command
// line, the environment or the XDG setting file; who plays; and the writer and the observer the
// game tells. Whatever cannot be used is said on standard error: a class folder that cannot be
// written leaves the records in the player's own data folder and the high scores in the game's
// own table, so that nothing is lost. It is the game's ClassRoom: the names to choose from, the
// class's table, and whether the folder could not be written.
#pragma once

#include "records/class_list.h"
#include "records/play_recorder.h"
#include "records/record_writer.h"
#include "world/class_room.h"

#include <filesystem>
#include <memory>
#include <string>

namespace records {

class GameRecords : public ClassRoom {
public:
    // `classOption` is --class made absolute (empty when not given); `pack` the lesson pack's
    // title, "" for the game's own levels.
    GameRecords(const std::filesystem::path& classOption, std::string pack, lvl::Language language);

    // What the game tells; none when records can be kept nowhere.
    PlayObserver* observer() { return recorder_.get(); }
    const PlayerChoice& choice() const { return choice_; }

    const std::vector<std::string>& names() const override { return choice_.names(); }
    void choose(std::size_t index) override;
    std::string tableFolder() const override { return tableFolder_.string(); }
    bool unwritable() const override { return unwritable_; }
    // Where the record files go (empty when nowhere).
    std::filesystem::path folder() const { return writer_ ? writer_->folder() : std::filesystem::path(); }

private:
    PlayerChoice choice_;
    std::filesystem::path tableFolder_;  // the class folder, when it can be written
    bool unwritable_ = false;
    std::unique_ptr<RecordWriter> writer_;
    std::unique_ptr<PlayRecorder> recorder_;  // destroyed first: a game still open ends in the file
};

}  // namespace records
