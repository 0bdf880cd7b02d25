// A class folder as the game sees it: the names a child chooses from before each game, the
// folder of the class's high-score table, and whether the folder could not be written. The
// records (records::GameRecords) keep the class folder and answer; the classic game has none,
// and then nothing of this shows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ClassRoom {
public:
    ClassRoom() = default;
    virtual ~ClassRoom() = default;
    ClassRoom(const ClassRoom&) = delete;
    ClassRoom& operator=(const ClassRoom&) = delete;

    // The names of the class (UTF-8), in the teacher's order; none when there is no list.
    virtual const std::vector<std::string>& names() const = 0;
    // names()[index] plays the next game: its records carry that name.
    virtual void choose(std::size_t index) = 0;
    // The folder whose hiscore.tbl the game shows and saves; empty for the game's own table.
    virtual std::string tableFolder() const = 0;
    // True when a class folder was named but cannot be written: the records and the table stay
    // on this computer.
    virtual bool unwritable() const = 0;
};
