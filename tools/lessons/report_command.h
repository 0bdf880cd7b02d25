// The lesson tool's report command: the teacher's report over a class folder's records.
#pragma once

#include "lessons/language.h"

#include <string>
#include <vector>

// Runs "report" with the arguments after it; the exit code.
int reportCommand(const std::vector<std::string>& args, lvl::Language language);
