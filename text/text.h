// Byte-string, byte-buffer and array primitives in which all of the program's own logic is written.
// Texts are code page 936 bytes; positions are 1-based byte positions and a failed search gives -1.
// A byte of 0x80 or above starts a two-byte character together with the byte after it.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A text without zero bytes. The absent text (no storage) reads as the empty text everywhere, but
// is handed to the platform as a null pointer, where the empty text is a pointer to "".
class Text {
 public:
  Text() = default;
  Text(const char* s) {  // NOLINT: literals are texts
    if (s) bytes_ = s;
  }
  Text(std::string s) : bytes_(std::move(s)) {}  // NOLINT
  explicit Text(std::string_view s) : bytes_(std::string(s)) {}

  bool absent() const { return !bytes_.has_value(); }
  std::string_view view() const { return bytes_ ? std::string_view(*bytes_) : std::string_view(); }
  operator std::string_view() const { return view(); }  // NOLINT: every primitive reads views
  int length() const { return static_cast<int>(view().size()); }
  bool empty() const { return view().empty(); }
  // For a platform call: null for the absent text.
  const char* c_str_or_null() const { return bytes_ ? bytes_->c_str() : nullptr; }
  // For a platform call that writes into the text's own storage (a header buffer, say).
  char* data() { return bytes_ ? bytes_->data() : nullptr; }

  // Exact identity, absent and empty told apart; program logic compares with TextCompare.
  friend bool operator==(const Text& a, const Text& b) { return a.bytes_ == b.bytes_; }

 private:
  std::optional<std::string> bytes_;
};

void PrintTo(const Text& t, std::ostream* os);  // readable test failures

// A counted byte sequence that may hold zero bytes; an empty buffer is the absent buffer.
using ByteBuffer = std::vector<unsigned char>;

// Members addressed 1 to TextArrayCount; a member may be absent.
using TextArray = std::vector<Text>;

// Lengths and cuts
int TextLength(std::string_view t);
Text TextLeft(std::string_view t, int n);
Text TextRight(std::string_view t, int n);
Text TextMid(std::string_view t, int start, int n);

// Searching. TextFind treats an omitted start like 0 and 1; TextFindLast does not (a given start
// bounds the region to the bytes before it), so its start is optional.
int TextFind(std::string_view t, std::string_view s, int start = 0, bool ignore_case = false);
int TextFindLast(std::string_view t, std::string_view s, std::optional<int> start = std::nullopt,
                 bool ignore_case = false);

// Rewriting
Text TextReplace(std::string_view t, std::string_view find, std::string_view repl);
TextArray TextSplit(std::string_view t, std::string_view delim);
Text TextTrim(std::string_view t);
Text TextRemoveSpaces(std::string_view t);
Text TextToLower(std::string_view t);

// Numbers
std::int32_t TextToInt(std::string_view t);

// Joining and comparing; TextConcat always returns a text of its own, possibly empty.
Text TextConcat(std::string_view t1, std::string_view t2);
Text TextConcat(std::string_view t1, std::string_view t2, std::string_view t3);
Text TextConcat(std::string_view t1, std::string_view t2, std::string_view t3, std::string_view t4);
int TextCompare(std::string_view t1, std::string_view t2);

// Construction and conversion
Text CharText(int code);
Text BlankText(int n);
ByteBuffer BlankBytes(int n);
ByteBuffer BytesLeft(const ByteBuffer& b, int n);
ByteBuffer BytesConcat(const ByteBuffer& b1, const ByteBuffer& b2);
int BytesLength(const ByteBuffer& b);
bool BytesEqual(const ByteBuffer& b1, const ByteBuffer& b2);
Text BytesToText(const ByteBuffer& b);
ByteBuffer TextToBytes(std::string_view t);

// Arrays
int TextArrayCount(const TextArray& a);
const Text& TextArrayItem(const TextArray& a, int index);  // 1-based, inside 1..count
void TextArrayAppend(TextArray& a, const Text& t);
