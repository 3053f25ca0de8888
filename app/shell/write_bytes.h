// Writing carried data out to a file.
#pragma once

#include <initializer_list>
#include <string_view>

#include "text/text.h"

// Creates the file at `path` (or truncates it) and writes each buffer in order, empty ones skipped.
// False for an empty path, a file that cannot be opened, or a failing write or close; a failing
// write leaves what was written before it.
bool WriteBytesToFile(std::string_view path, std::initializer_list<const ByteBuffer*> buffers);
