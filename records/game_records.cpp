#include "records/game_records.h"

#include "records/class_folder.h"

#include <cstdio>
#include <vector>

namespace records {

namespace {

void say(const lvl::Text& text, lvl::Language language) { std::fprintf(stderr, "kalkulon: %s\n", text.in(language).c_str()); }

PlayerChoice whoPlays(const ClassSetting& setting, lvl::Language language) {
    std::vector<lvl::Problem> problems;
    std::vector<std::string> names;
    if (!setting.folder.empty()) names = readClassFile(setting.folder.string(), problems);
    lvl::report(stderr, problems, language);
    return PlayerChoice(std::move(names), accountName());
}

}  // namespace

GameRecords::GameRecords(const std::filesystem::path& classOption, std::string pack, lvl::Language language) : choice_({}, {}) {
    std::vector<lvl::Text> notes;
    const ClassSetting setting = findClassFolder(classOption, notes);
    for (const lvl::Text& note : notes) say(note, language);
    choice_ = whoPlays(setting, language);

    std::filesystem::path folder;
    lvl::Text error;
    if (!prepareRecordsFolder(setting.folder, folder, error)) {
        say(error, language);
        if (setting.folder.empty()) return;
        unwritable_ = true;
        const std::string from = setting.from;
        if (!prepareRecordsFolder({}, folder, error)) {
            say(error, language);
            return;
        }
        say({"the class folder named by " + from + " cannot be used; the records are kept in " + folder.string() +
                 " and the high scores in the game's own table",
             "folderu klasy podanego w " + from + " nie można użyć; dziennik gier zostaje w " + folder.string() +
                 ", a wyniki w tabeli samej gry",
             "теку класу, задану в " + from + ", не можна використати; журнал ігор лишається в " + folder.string() +
                 ", а результати в таблиці самої гри"},
            language);
    } else {
        tableFolder_ = setting.folder;
    }
    writer_ = std::make_unique<RecordWriter>(folder, language);
    recorder_ = std::make_unique<PlayRecorder>(*writer_, choice_.player(), std::move(pack));
}

void GameRecords::choose(std::size_t index) {
    if (!choice_.choose(index) || !recorder_) return;
    recorder_->setChild(choice_.player());
}

}  // namespace records
