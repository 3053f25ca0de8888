// The HTTP client's entry points on Windows.
#pragma once

#include "http/fetch_file.h"
#include "http/http_request.h"

// GET of `url` through the request engine (WinINet bound through the library entry table), the body
// up to its first zero byte; empty on every failure.
Text HttpGetText(std::string_view url);

// The whole resource at `url` (WinINet through the import table, one session for the process).
ByteBuffer FetchFile(std::string_view url);

// The request engine with all its parameters, over the library entry table.
ByteBuffer HttpRequest(std::string_view url, const HttpRequestArgs& args = {});
const InternetOps& LibraryInternetOps();
