#pragma once

#include "text/text.h"

// Stands for a double quote in the markers, so that markers made of quotes need no escaping.
inline constexpr char kQuotePlaceholder[] = "#引号";

// The piece of `text` between the first `left` marker (searched from `start`) and the first `right`
// marker after it. A missing marker gives the empty text; touching markers give the absent text.
Text TextBetween(std::string_view text, std::string_view left, std::string_view right,
                 int start = 0, bool ignore_case = false);
