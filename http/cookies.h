// Folding the cookies a response set into a caller's cookie jar. A jar is plain text: name=value
// members joined by "; ". Names and members compare byte for byte.
#pragma once

#include "text/text.h"

// Both arguments are written: `old_cookies` receives the merged jar (new members first, in their
// order, then the old members whose names are not new; "=deleted" members dropped; exact repeats
// dropped), `new_cookies` itself without spaces. Returns a copy of the merged jar.
Text CookieMerge(Text& old_cookies, Text& new_cookies);

// The trimmed text before the first "=" of a member; the whole member when it has none.
Text CookieName(std::string_view member);

bool CookieListHasName(const TextArray& list, std::string_view name);

// `text` split at `separator`, each member kept at its first occurrence only, joined again.
Text JoinDistinct(std::string_view text, std::string_view separator);

// 1-based position of the first member equal to `text`, or -1.
int TextArrayIndexOf(const TextArray& list, std::string_view text);
