#include "lookup/lookup.h"

#include "build_config.h"
#include "text/text_between.h"

namespace {

constexpr char kAddressPrefix[] = "http://";
constexpr char kSearchPath[] = "/xuliehao/index.php?action=search&sn=";

constexpr char kFailedLookup[] = "-1";
constexpr char kResultCodeLeft[] = "\"resultcode\":\"";
// Each value but the last is followed directly by the next member: closing quote, comma, quote.
constexpr char kValueEnd[] = "\",\"";
// `image` closes its own object and the one around it.
constexpr char kImageEnd[] = "\"}}";

struct ReplyValue {
  Text LookupResult::*field;
  const char* left;
  const char* right;
};

// The ten values of a usable lookup, in the order they are cut.
constexpr ReplyValue kReplyValues[] = {
    {&LookupResult::phone_model, "\"phone_model\":\"", kValueEnd},
    {&LookupResult::size, "\"size\":\"", kValueEnd},
    {&LookupResult::color, "\"color\":\"", kValueEnd},
    {&LookupResult::active, "\"active\":\"", kValueEnd},
    {&LookupResult::warranty_status, "\"warranty_status\":\"", kValueEnd},
    {&LookupResult::warranty, "\"warranty\":\"", kValueEnd},
    {&LookupResult::tele_support_status, "\"tele_support_status\":\"", kValueEnd},
    {&LookupResult::start_date, "\"start_date\":\"", kValueEnd},
    {&LookupResult::end_date, "\"end_date\":\"", kValueEnd},
    {&LookupResult::image, "\"image\":\"", kImageEnd},
};

}  // namespace

LookupResult& TheLookupResult() {
  static LookupResult result;
  return result;
}

void ReleaseLookupResult() { TheLookupResult() = LookupResult{}; }

Text LookupAddress(std::string_view serial) {
  // The serial goes in as typed: not trimmed, not case-folded, not percent-encoded.
  return TextConcat(kAddressPrefix, build_config::kLookupHost, kSearchPath, serial);
}

bool ParseLookupReply(std::string_view reply, LookupResult& result) {
  // Copied before anything is replaced: the reply may be a view of the record's own `response`.
  result.response = reply.empty() ? Text() : Text(reply);
  // Every value is searched for over the whole kept reply, from its first byte.
  result.resultcode = TextBetween(result.response, kResultCodeLeft, kValueEnd);
  if (TextCompare(result.resultcode, kFailedLookup) == 0) return false;
  for (const ReplyValue& value : kReplyValues) {
    result.*value.field = TextBetween(result.response, value.left, value.right);
  }
  return true;
}
