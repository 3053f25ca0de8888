// The whole-resource download used for pictures: one plain GET, the body as received. It shares
// nothing with the request engine; its one session lives for the process.
#pragma once

#include "http/internet_ops.h"
#include "text/text.h"

// The body of the response at `url` (any status), or empty when the download cannot be made. A read
// that fails midway gives the bytes received up to then.
ByteBuffer FetchFile(const DownloadOps& net, std::string_view url);

// Closes the process-wide session, if one is open; the next download opens a new one.
void CloseDownloadSession(const DownloadOps& net);
