#include "text/text.h"

#include <algorithm>

namespace {

using uchar = unsigned char;

bool IsLead(char c) { return static_cast<uchar>(c) >= 0x80; }

// Length of the character starting at i; a lead byte that ends the text stands alone.
std::size_t CharLen(std::string_view t, std::size_t i) {
  return IsLead(t[i]) && i + 1 < t.size() ? 2 : 1;
}

Text Piece(std::string_view t, std::size_t pos, std::size_t n) {
  if (n == 0) return Text();
  return Text(t.substr(pos, n));
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

std::string FoldAll(std::string_view t) {
  std::string out(t);
  for (char& c : out) c = FoldAscii(c);
  return out;
}

// Decides lazily whether a candidate that a fast byte search proposes begins a character. A byte
// below 0x80 always ends a character (a one-byte character, or the second byte of a pair), so the
// byte after it begins one; only the run of high bytes right before a candidate needs counting, and
// never further back than the last character start already known. Candidates come in ascending
// order and the known start only moves forward, which keeps every search linear.
struct CharWalk {
  std::string_view t;
  std::size_t next;  // a character start, at or after every candidate asked about so far

  bool StartsCharacter(std::size_t pos) {
    if (pos <= next) return pos == next;
    std::size_t run_start = pos;
    while (run_start > next && IsLead(t[run_start - 1])) --run_start;
    // From run_start on, the high bytes pair up into characters.
    const bool starts = (pos - run_start) % 2 == 0;
    next = starts ? pos : pos + 1;
    return starts;
  }
};

// Positions (0-based) of every character-aligned occurrence of s in t from `from`, in order, passed
// to `visit` until it returns false. `jump` makes the walk resume after a match instead of inside
// it.
template <class Visit>
void ForEachMatch(std::string_view t, std::string_view s, std::size_t from, bool jump,
                  Visit visit) {
  CharWalk walk{t, from};
  std::size_t pos = from;
  while (pos + s.size() <= t.size()) {
    const std::size_t hit = t.find(s, pos);
    if (hit == std::string_view::npos) return;
    if (walk.StartsCharacter(hit)) {
      if (!visit(hit)) return;
      if (jump) {
        walk.next = hit + s.size();
        pos = walk.next;
        continue;
      }
    }
    pos = hit + 1;
  }
}

// Non-overlapping character-aligned occurrences, as TextReplace meets them.
std::size_t CountMatches(std::string_view t, std::string_view s) {
  std::size_t n = 0;
  ForEachMatch(t, s, 0, true, [&](std::size_t) {
    ++n;
    return true;
  });
  return n;
}

bool IsBlankAt(std::string_view t, std::size_t i) {
  if (t[i] == ' ') return true;
  return static_cast<uchar>(t[i]) == 0xA1 && i + 1 < t.size() &&
         static_cast<uchar>(t[i + 1]) == 0xA1;
}

}  // namespace

void PrintTo(const Text& t, std::ostream* os) {
  if (t.absent()) {
    *os << "(absent)";
    return;
  }
  *os << '"';
  for (uchar c : t.view()) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      *os << static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789abcdef";
      *os << "\\x" << kHex[c >> 4] << kHex[c & 15];
    }
  }
  *os << '"';
}

int TextLength(std::string_view t) { return static_cast<int>(t.size()); }

Text TextLeft(std::string_view t, int n) {
  if (n <= 0) return Text();
  return Piece(t, 0, std::min<std::size_t>(n, t.size()));
}

Text TextRight(std::string_view t, int n) {
  if (n <= 0) return Text();
  const std::size_t k = std::min<std::size_t>(n, t.size());
  return Piece(t, t.size() - k, k);
}

Text TextMid(std::string_view t, int start, int n) {
  const long long p = static_cast<long long>(start) - 1;
  if (p < 0 || p >= static_cast<long long>(t.size()) || n <= 0) return Text();
  return Piece(t, p, std::min<std::size_t>(n, t.size() - p));
}

int TextFind(std::string_view t, std::string_view s, int start, bool ignore_case) {
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= t.size()) return -1;
  if (s.empty()) return 1;
  std::string folded_t, folded_s;
  if (ignore_case) {
    folded_t = FoldAll(t);
    folded_s = FoldAll(s);
    t = folded_t;
    s = folded_s;
  }
  int found = -1;
  ForEachMatch(t, s, from, false, [&](std::size_t hit) {
    found = static_cast<int>(hit) + 1;
    return false;
  });
  return found;
}

int TextFindLast(std::string_view t, std::string_view s, std::optional<int> start,
                 bool ignore_case) {
  std::size_t limit = t.size();
  if (start) limit = *start <= 1 ? 0 : std::min<std::size_t>(*start - 1, t.size());
  if (limit == 0) return -1;
  if (s.empty()) return 1;
  std::string folded_t, folded_s;
  if (ignore_case) {
    folded_t = FoldAll(t);
    folded_s = FoldAll(s);
    t = folded_t;
    s = folded_s;
  }
  int found = -1;
  ForEachMatch(t.substr(0, limit), s, 0, false, [&](std::size_t hit) {
    found = static_cast<int>(hit) + 1;
    return true;
  });
  return found;
}

Text TextReplace(std::string_view t, std::string_view find, std::string_view repl) {
  if (t.empty() || find.empty()) return Piece(t, 0, t.size());
  // Counted first, so that the result is allocated once: growing a large text step by step costs
  // more than the second search.
  const std::size_t matches = CountMatches(t, find);
  if (matches == 0) return Text(t);
  std::string out;
  out.reserve(t.size() - matches * find.size() + matches * repl.size());
  std::size_t copied = 0;
  ForEachMatch(t, find, 0, true, [&](std::size_t hit) {
    out.append(t, copied, hit - copied);
    out.append(repl);
    copied = hit + find.size();
    return true;
  });
  out.append(t, copied, t.size() - copied);
  if (out.empty()) return Text();
  return Text(std::move(out));
}

TextArray TextSplit(std::string_view t, std::string_view delim) {
  TextArray members;
  if (t.empty()) return members;
  if (delim.empty()) {
    members.push_back(Text(t));
    return members;
  }
  std::size_t member_start = 0;
  ForEachMatch(t, delim, 0, true, [&](std::size_t hit) {
    members.push_back(Piece(t, member_start, hit - member_start));
    member_start = hit + delim.size();
    return true;
  });
  if (member_start < t.size()) members.push_back(Piece(t, member_start, t.size() - member_start));
  return members;
}

Text TextTrim(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && IsBlankAt(t, i)) i += CharLen(t, i);
  const std::size_t first = i;
  std::size_t end = first;
  while (i < t.size()) {
    const std::size_t n = CharLen(t, i);
    if (!IsBlankAt(t, i)) end = i + n;
    i += n;
  }
  return Piece(t, first, end - first);
}

Text TextRemoveSpaces(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t n = CharLen(t, i);
    if (!IsBlankAt(t, i)) out.append(t, i, n);
    i += n;
  }
  if (out.empty()) return Text();
  return Text(std::move(out));
}

Text TextToLower(std::string_view t) {
  std::string out(t);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t n = CharLen(t, i);
    if (n == 1) out[i] = FoldAscii(out[i]);
    i += n;
  }
  if (out.empty()) return Text();
  return Text(std::move(out));
}

std::int32_t TextToInt(std::string_view t) {
  // Full-width spaces, signs and digits count as their ASCII forms.
  std::string narrow;
  narrow.reserve(t.size());
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t n = CharLen(t, i);
    const uchar a = t[i];
    const uchar b = n == 2 ? static_cast<uchar>(t[i + 1]) : 0;
    if (n == 2 && a == 0xA1 && b == 0xA1) {
      narrow += ' ';
    } else if (n == 2 && a == 0xA1 && b == 0xAB) {
      narrow += '~';
    } else if (n == 2 && a == 0xA1 && (b == 0xEE || b == 0xEF)) {
      narrow += '*';
    } else if (n == 2 && a == 0xA3 && b >= 0xA1 && b <= 0xFE) {
      narrow += static_cast<char>(b - 0x80);
    } else {
      narrow.append(t, i, n);
    }
    i += n;
  }
  std::size_t i = 0;
  while (i < narrow.size() && (narrow[i] == ' ' || (narrow[i] >= 0x09 && narrow[i] <= 0x0D))) ++i;
  bool negative = false;
  if (i < narrow.size() && (narrow[i] == '+' || narrow[i] == '-')) negative = narrow[i++] == '-';
  std::uint32_t value = 0;  // wraps silently, as 32-bit two's complement does
  for (; i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(narrow[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

Text TextConcat(std::string_view t1, std::string_view t2) {
  std::string out;
  out.reserve(t1.size() + t2.size());
  out.append(t1).append(t2);
  return Text(std::move(out));
}

Text TextConcat(std::string_view t1, std::string_view t2, std::string_view t3) {
  std::string out;
  out.reserve(t1.size() + t2.size() + t3.size());
  out.append(t1).append(t2).append(t3);
  return Text(std::move(out));
}

Text TextConcat(std::string_view t1, std::string_view t2, std::string_view t3,
                std::string_view t4) {
  std::string out;
  out.reserve(t1.size() + t2.size() + t3.size() + t4.size());
  out.append(t1).append(t2).append(t3).append(t4);
  return Text(std::move(out));
}

int TextCompare(std::string_view t1, std::string_view t2) {
  const int c = t1.compare(t2);  // char_traits<char> compares as unsigned char
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Text CharText(int code) {
  if (code == 0) return Text();
  return Text(std::string(1, static_cast<char>(code)));
}

Text BlankText(int n) {
  if (n <= 0) return Text();
  return Text(std::string(n, ' '));
}

ByteBuffer BlankBytes(int n) {
  if (n <= 0) return {};
  return ByteBuffer(n, 0);
}

ByteBuffer BytesLeft(const ByteBuffer& b, int n) {
  if (n <= 0) return {};
  return ByteBuffer(b.begin(), b.begin() + std::min<std::size_t>(n, b.size()));
}

ByteBuffer BytesConcat(const ByteBuffer& b1, const ByteBuffer& b2) {
  ByteBuffer out;
  out.reserve(b1.size() + b2.size());
  out.insert(out.end(), b1.begin(), b1.end());
  out.insert(out.end(), b2.begin(), b2.end());
  return out;
}

int BytesLength(const ByteBuffer& b) { return static_cast<int>(b.size()); }

bool BytesEqual(const ByteBuffer& b1, const ByteBuffer& b2) { return b1 == b2; }

Text BytesToText(const ByteBuffer& b) {
  const auto zero = std::find(b.begin(), b.end(), 0);
  if (zero == b.begin()) return Text();
  return Text(std::string(b.begin(), zero));
}

ByteBuffer TextToBytes(std::string_view t) { return ByteBuffer(t.begin(), t.end()); }

int TextArrayCount(const TextArray& a) { return static_cast<int>(a.size()); }

const Text& TextArrayItem(const TextArray& a, int index) { return a[index - 1]; }

void TextArrayAppend(TextArray& a, const Text& t) { a.push_back(t); }
