// Who plays. Without a class folder, the desktop account's name (school labs log each child in).
// With one, the names the teacher wrote in its class.txt, one a line (UTF-8; blank lines and
// lines starting with "#" are skipped), from which the child is chosen; until the child has
// chosen, the account's name is used.
#pragma once

#include "lessons/language.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

inline constexpr std::size_t kLongestName = 40;  // in characters

// The names of a class.txt's text; each line that is no name is a problem, and is skipped.
std::vector<std::string> readClassText(const std::string& text, const std::string& shownAs, std::vector<lvl::Problem>& problems);

// The names of the class folder's class.txt; none, with no problem, when it has none.
std::vector<std::string> readClassFile(const std::string& classFolder, std::vector<lvl::Problem>& problems);

// The desktop account's name: the full name the account was given, else its login name, else
// $USER.
std::string accountName();

// The names offered and the one chosen.
class PlayerChoice {
public:
    PlayerChoice(std::vector<std::string> classNames, std::string account);

    const std::vector<std::string>& names() const { return names_; }
    // The chosen name's place among names(), if one is chosen.
    std::optional<std::size_t> chosen() const { return chosen_; }
    // The name the records use: the chosen one, else the account's.
    const std::string& player() const;
    // Chooses names()[index]; false (and nothing changes) when there is no such name.
    bool choose(std::size_t index);

private:
    std::vector<std::string> names_;
    std::string account_;
    std::optional<std::size_t> chosen_;
};

}  // namespace records
