// Taking a URL apart for the request engine, and reading one header line. No decoding, no
// validation: odd input gives an odd but well-defined text.
#pragma once

#include <optional>

#include "text/text.h"

// The host of `url`, lower-cased. A given `label_count` (its presence, not its value) selects the
// label-count mode; without it the host is what stands between the scheme and the next "/".
Text UrlHost(std::string_view url, bool domain_only = false, bool keep_port = false,
             std::optional<int> label_count = std::nullopt);

// The port named in the address, else 443 for "https" and 80 for everything else.
int UrlPort(std::string_view url);

// The object for the request line: from the first "/" after the host to the end, query and fragment
// included, in the address's own case; "/" when there is none.
Text UrlPath(std::string_view url);

// The trimmed text after the first ":" of `line`; empty when it has no ":".
Text HeaderValue(std::string_view line);
