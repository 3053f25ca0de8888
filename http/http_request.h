// One complete HTTP(S) request over the WinINet seam: default headers, cookie capture and merging,
// redirect and raw-header capture; the whole body comes back.
#pragma once

#include <optional>

#include "http/internet_ops.h"
#include "text/text.h"

// The optional parameters in their order. Omitted is told from given-empty: an in-value is an
// optional, an in/out variable is a pointer to the caller's own (null when omitted). For `cookies`
// and `proxy` presence, not content, selects the behaviour.
struct HttpRequestArgs {
  std::optional<int> method = {};      // 0 GET; 1 POST with a body; other values GET with a body
  std::optional<Text> post_text = {};  // body when *post_bytes is empty
  Text* cookies = nullptr;             // given: platform cookies off, jar sent and merged back
  Text* returned_cookies = nullptr;
  Text* extra_headers = nullptr;  // completed with the defaults: afterwards the header text sent
  Text* location = nullptr;       // not cleared on entry
  std::optional<bool> no_redirect = {};
  ByteBuffer* post_bytes = nullptr;  // filled from post_text when empty and a body is sent
  std::optional<Text> proxy = {};    // given: proxy access with the list "http=" + proxy
  Text* raw_headers = nullptr;
};

// The body exactly as read; empty when nothing was read or the request could not be created, in
// which case no variable of the caller is touched.
ByteBuffer HttpRequest(const InternetOps& net, std::string_view url,
                       const HttpRequestArgs& args = {});

// A GET with every option omitted, the body up to its first zero byte.
Text HttpGetText(const InternetOps& net, std::string_view url);
