#include "lookup/lookup.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "build_config.h"
#include "text/test_bytes.h"

namespace {

using Fields = std::array<std::string, 12>;

// The twelve fields in the record's order; absent and empty read alike, as every reader sees them.
Fields FieldsOf(const LookupResult& r) {
  return {std::string(r.response.view()),
          std::string(r.resultcode.view()),
          std::string(r.phone_model.view()),
          std::string(r.size.view()),
          std::string(r.color.view()),
          std::string(r.active.view()),
          std::string(r.warranty_status.view()),
          std::string(r.warranty.view()),
          std::string(r.tele_support_status.view()),
          std::string(r.start_date.view()),
          std::string(r.end_date.view()),
          std::string(r.image.view())};
}

// A reply as the service writes it: the values inside a "data" object, `image` last.
const std::string kGood =
    R"({"resultcode":"0","data":{"phone_model":"iPhone 5","size":"16GB","color":"\u9ed1\u8272",)"
    R"("active":"\u5df2\u6fc0\u6d3b","warranty_status":"\u672a\u8fc7\u671f","warranty":"90",)"
    R"("tele_support_status":"\u5df2\u8fc7\u671f","start_date":"2012-09-01",)"
    R"("end_date":"2012-10-01","image":"iphone 5_black"}})";
const Fields kGoodFields = {kGood,
                            "0",
                            "iPhone 5",
                            "16GB",
                            R"(\u9ed1\u8272)",
                            R"(\u5df2\u6fc0\u6d3b)",
                            R"(\u672a\u8fc7\u671f)",
                            "90",
                            R"(\u5df2\u8fc7\u671f)",
                            "2012-09-01",
                            "2012-10-01",
                            "iphone 5_black"};

// Another good reply, in another member order and with `size` missing.
const std::string kOther =
    R"({"data":{"image":"iphone 4_white"}},{"color":"\u767d\u8272","phone_model":"iPhone 4",)"
    R"("resultcode":"1","end_date":"e","start_date":"s","x":"y"})";
const Fields kOtherFields = {kOther, "1", "iPhone 4", "",  R"(\u767d\u8272)", "", "",
                             "",     "",  "s",        "e", "iphone 4_white"};

const std::string kFailed = R"({"resultcode":"-1","reason":"bad serial"})";

Fields Failed(const std::string& reply, const Fields& kept) {
  Fields f = kept;
  f[0] = reply;
  f[1] = "-1";
  return f;
}

Fields Only(const std::string& reply, std::vector<std::pair<int, std::string>> values) {
  Fields f;
  f[0] = reply;
  for (auto& [index, value] : values) f[index] = value;
  return f;
}

enum { kResultcode = 1, kPhoneModel, kSize, kColor, kActive, kWarrantyStatus, kWarranty };
enum { kTeleSupportStatus = 8, kStartDate, kEndDate, kImage };

TEST(ParseLookupReply, RepliesAndTheStateAcrossLookups) {
  const std::string gbk_model = R"({"phone_model":"苹果","resultcode":"0","x":""})";
  const std::string image_not_last = R"({"image":"k","size":"s","a":"b"}})";
  const std::string image_without_end = R"({"resultcode":"0","image":"k","x":1})";
  const std::string cut_short = R"({"phone_model":"x\","y","size":"4GB","z":""})";
  const std::string no_right_marker = R"({"resultcode":"0","size":"16GB"})";
  const std::string upper_hex = R"({"color":"\u9ED1\u8272","x":""})";
  const std::string touching = R"({"resultcode":"","size":"","image":""}})";
  const struct {
    const char* name;
    std::vector<std::string> earlier;  // lookups made before, oldest first
    std::string reply;
    bool want_usable;
    Fields want;
  } cases[] = {
      {"a good reply fills all twelve", {}, kGood, true, kGoodFields},
      {"members found by key in any order", {}, kOther, true, kOtherFields},
      {"resultcode -1 is a failed lookup", {}, kFailed, false, Failed(kFailed, Fields{})},
      {"' -1' is not a failed lookup",
       {},
       R"({"resultcode":" -1","x":""})",
       true,
       Only(R"({"resultcode":" -1","x":""})", {{kResultcode, " -1"}})},
      {"'-1 ' is not a failed lookup",
       {},
       R"({"resultcode":"-1 ","x":""})",
       true,
       Only(R"({"resultcode":"-1 ","x":""})", {{kResultcode, "-1 "}})},
      {"'-01' is not a failed lookup",
       {},
       R"({"resultcode":"-01","x":""})",
       true,
       Only(R"({"resultcode":"-01","x":""})", {{kResultcode, "-01"}})},
      {"no resultcode: usable, fields by their own markers",
       {},
       gbk_model,
       true,
       Only(gbk_model, {{kResultcode, "0"}, {kPhoneModel, "苹果"}})},
      {"an empty reply is usable and empty", {}, "", true, Fields{}},
      {"image not last: runs on to the next \"}}",
       {},
       image_not_last,
       true,
       Only(image_not_last, {{kImage, R"(k","size":"s","a":"b)"}, {kSize, "s"}})},
      {"image without \"}} after it is empty",
       {},
       image_without_end,
       true,
       Only(image_without_end, {{kResultcode, "0"}})},
      {"a value holding \",\" is cut short",
       {},
       cut_short,
       true,
       Only(cut_short, {{kPhoneModel, "x\\"}, {kSize, "4GB"}})},
      {"a value without its right marker is empty",
       {},
       no_right_marker,
       true,
       Only(no_right_marker, {{kResultcode, "0"}})},
      {"upper-case escapes are kept as they come",
       {},
       upper_hex,
       true,
       Only(upper_hex, {{kColor, R"(\u9ED1\u8272)"}})},
      {"empty values", {}, touching, true, Only(touching, {})},
      {"a failed lookup after a good one keeps the ten",
       {kGood},
       kFailed,
       false,
       Failed(kFailed, kGoodFields)},
      {"a good lookup after that replaces all twelve",
       {kGood, kFailed},
       kOther,
       true,
       kOtherFields},
      {"an unreachable service after a good lookup empties all", {kGood}, "", true, Fields{}},
      {"two failed lookups in a row",
       {kGood, kFailed},
       kFailed,
       false,
       Failed(kFailed, kGoodFields)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LookupResult result;
    for (const std::string& reply : c.earlier) ParseLookupReply(reply, result);
    EXPECT_EQ(ParseLookupReply(c.reply, result), c.want_usable);
    EXPECT_EQ(FieldsOf(result), c.want);
  }
}

TEST(ParseLookupReply, EscapesArriveAsSixBytes) {
  LookupResult result;
  ParseLookupReply(kGood, result);
  EXPECT_EQ(result.color.length(), 12);
  EXPECT_EQ(result.color.view().substr(0, 2), "\\u");
}

TEST(ParseLookupReply, ReplyMayBeTheRecordsOwnResponse) {
  LookupResult result;
  ParseLookupReply(kGood, result);
  EXPECT_TRUE(ParseLookupReply(result.response, result));
  EXPECT_EQ(FieldsOf(result), kGoodFields);
}

// The one test that touches the process-wide record, so that its first state is seen.
TEST(TheLookupResult, StartsEmptyAndIsReleasedAtExit) {
  LookupResult& record = TheLookupResult();
  EXPECT_EQ(&record, &TheLookupResult());
  EXPECT_EQ(FieldsOf(record), Fields{});
  ASSERT_TRUE(ParseLookupReply(kGood, record));
  EXPECT_EQ(FieldsOf(TheLookupResult()), kGoodFields);
  ReleaseLookupResult();
  EXPECT_EQ(FieldsOf(record), Fields{});
  EXPECT_TRUE(record.response.absent());
  EXPECT_TRUE(record.image.absent());
}

TEST(LookupAddress, SerialIsAppendedAsTyped) {
  const std::string prefix =
      std::string("http://") + build_config::kLookupHost + "/xuliehao/index.php?action=search&sn=";
  const char* const serials[] = {"DNPJ1234ABCD", " C39 ", "dnpj", "a&b=c%20d", "序列号", "\t", ""};
  for (const char* serial : serials) {
    EXPECT_EQ(LookupAddress(serial), Text(prefix + serial)) << serial;
  }
  EXPECT_EQ(LookupAddress(Bytes({'x', 0x81})), Text(prefix + Bytes({'x', 0x81})));
}

TEST(LookupAddress, DefaultHostIsThisMachine) {
  if (std::string_view(build_config::kLookupHost) != "127.0.0.1:8600") GTEST_SKIP();
  EXPECT_EQ(LookupAddress("X"),
            Text("http://127.0.0.1:8600/xuliehao/index.php?action=search&sn=X"));
}

}  // namespace
