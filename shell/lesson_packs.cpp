#include "shell/lesson_packs.h"

#include "lessons/game_folder.h"
#include "lessons/pack_check.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

// Game folders of packs, in the player's data folder: one per pack, kept between games for the
// pack's high-score table, which every game of the pack shares. Versions before kept them in
// the folder the game started in, under another name.
constexpr const char* kGameFolders = "pack-games";

}  // namespace

bool preparePack(const lvl::PackChoice& choice, const lvl::Installed& installed, const fs::path& formerRoot, PackGame& game) {
    game = PackGame{};
    if (!lvl::readPack(choice.folder, installed.scenery, game.pack, game.problems)) {
        game.why = {"The pack cannot be played until these are mended.", "Pakietu nie da się grać, dopóki tego się nie poprawi.",
                    "У пакет не можна грати, доки це не виправлено."};
        return false;
    }
    if (!lvl::provePack(game.pack, game.problems)) {
        game.why = {"The pack cannot be played: a level that cannot be won or has a trap is no lesson.",
                    "Pakietu nie da się grać: poziom bez wygranej albo z pułapką to nie lekcja.",
                    "У пакет не можна грати: рівень без виграшу або з пасткою — не урок."};
        return false;
    }
    const fs::path data = lvl::userDataFolder();
    if (data.empty()) {
        game.why = {"a pack keeps its table in your data folder, and there is none: HOME is not set or no folder",
                    "pakiet trzyma tabelę wyników w folderze danych, a go nie ma: HOME nie jest ustawione albo nie jest folderem",
                    "пакет зберігає таблицю рекордів у вашій теці даних, а її немає: HOME не задано або це не тека"};
        return false;
    }
    game.folder = data / kGameFolders / choice.key;
    std::error_code ec;
    fs::create_directories(game.folder, ec);
    if (ec) {
        game.why = {"cannot make the folder " + game.folder.string(), "nie można utworzyć folderu " + game.folder.string(),
                    "не вдається створити теку " + game.folder.string()};
        return false;
    }
    if (const fs::path former = formerRoot / kGameFolders / choice.formerKey / "hiscore.tbl"; fs::is_regular_file(former, ec))
        fs::copy_file(former, game.folder / "hiscore.tbl", ec);  // never over a table there already
    return lvl::buildGameFolder(game.pack, installed, game.folder, game.why);
}
