// A whole game written down: every input the headless back end took from the script that
// played it (clock, messages, activation, mouse, keys, gamepads), one line each, with the poll
// it came in. Played back poll by poll it gives the same game, frame for frame.
//
//     # a comment
//     0 time 1000000
//     0 step 1
//     412 mouse 328 168
//     440 click 328 168
//     981 key Right down
//     1320 pad 1 south up
#pragma once

#include "platform/headless.h"

#include <string>
#include <string_view>
#include <vector>

namespace replay {

using Inputs = std::vector<plat::headless::Input>;

// The lines of `inputs`, after a short header of comments saying how they read.
std::string writeInputs(const Inputs& inputs);

// Reads lines written by writeInputs (comments and blank lines skipped). False with `error`
// as "file:line: what is wrong" at the first line that is no input.
bool readInputs(std::string_view text, const std::string& fileName, Inputs& inputs, std::string& error);
// The same from the file at `path`; a file that cannot be read is said in `error` too.
bool readInputsFile(const std::string& path, Inputs& inputs, std::string& error);

}  // namespace replay
