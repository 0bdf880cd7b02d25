// The lesson tool's help (kalkulon-levels help), in the three languages.
#pragma once

#include "lessons/language.h"

const lvl::Text& helpText();
