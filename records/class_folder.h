// The class folder: one folder, perhaps a network share, that a school points every computer
// at, so that every child's records land in one place for the teacher's report. It holds
// class.txt (the class's names, one a line), and records/ with one file per game played.
// Without a class folder the records stay in the player's own data folder.
#pragma once

#include "lessons/language.h"

#include <filesystem>
#include <string>
#include <vector>

namespace records {

inline constexpr const char* kClassFile = "class.txt";
inline constexpr const char* kRecordsFolder = "records";
// The setting file, under each XDG configuration folder.
inline constexpr const char* kSettingFile = "kalkulon/class-folder";
inline constexpr const char* kClassVariable = "KALKULON_CLASS";

struct ClassSetting {
    std::filesystem::path folder;  // empty: no class folder
    std::string from;              // "--class", "KALKULON_CLASS" or the setting file's path
};

// The class folder: `option` (--class, already made absolute) when given, else $KALKULON_CLASS,
// else the folder named in the first setting file found in $XDG_CONFIG_HOME (~/.config when
// unset) and then in each folder of $XDG_CONFIG_DIRS (/etc/xdg when unset). Relative folders in
// those variables are ignored, as the XDG rules say. A setting that cannot be used is said in
// `notes` and leaves no class folder.
ClassSetting findClassFolder(const std::filesystem::path& option, std::vector<lvl::Text>& notes);

// A setting file's text: the class folder, an absolute path, on the first line that is neither
// blank nor a comment ("#"). False, with the problem, when there is none.
bool readSettingText(const std::string& text, const std::string& shownAs, std::filesystem::path& folder,
                     std::vector<lvl::Problem>& problems);

// The folder the record files go in, made when missing: records/ in the class folder, or
// without one in the player's data folder (there readable by the player alone). False, with
// why, when no file can be made in it.
bool prepareRecordsFolder(const std::filesystem::path& classFolder, std::filesystem::path& records, lvl::Text& error);

}  // namespace records
