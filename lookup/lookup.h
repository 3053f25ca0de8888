// The serial lookup: the request address and the reply parsed into the process-wide record.
#pragma once

#include "text/text.h"

// What the last lookup kept, in the order of the service's keys.
// Every field starts empty; the braces let tests name only the fields they set.
struct LookupResult {
  Text response{};
  Text resultcode{};
  Text phone_model{};
  Text size{};
  Text color{};
  Text active{};
  Text warranty_status{};
  Text warranty{};
  Text tele_support_status{};
  Text start_date{};
  Text end_date{};
  Text image{};
};

LookupResult& TheLookupResult();  // the one record of the process
void ReleaseLookupResult();       // the exit routine: gives back all twelve texts

Text LookupAddress(std::string_view serial);

// Keeps the reply and cuts the values out of it; false when the service answered resultcode "-1",
// in which case only `response` and `resultcode` change.
bool ParseLookupReply(std::string_view reply, LookupResult& result);
