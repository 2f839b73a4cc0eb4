// Checks and conversions for text that comes from outside (scripts, journals,
// typed boxes): UTF-8 decoding that accepts only well-formed sequences, JSON
// strings that are valid UTF-8 whatever the bytes, and line reading that keeps
// a bounded number of bytes however long a line is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace glamora {

// One step of UTF-8 decoding at a byte offset. A malformed sequence (stray or
// unfinished bytes, an overlong form, a surrogate, a value above U+10FFFF) is
// `valid == false` with `length` its maximal ill-formed part (1 to 3 bytes),
// so that each malformed part counts as one replaced character.
struct Utf8Step {
  char32_t value = 0;
  std::size_t length = 1;
  bool valid = false;
};
Utf8Step decodeUtf8(std::string_view text, std::size_t at);

bool validUtf8(std::string_view text);

// `text` as a quoted JSON string: `"` and `\` escaped, control characters
// (C0, DEL, C1) written as \u00XX, and each malformed UTF-8 part as U+FFFD.
// The result is always valid UTF-8.
std::string jsonString(std::string_view text);

// A short, one-line rendering of text that may be long or hold any bytes:
// jsonString() of its first ~80 bytes (cut at a character), and when it is
// longer, "..." inside the quotes and the whole length: "key xxx..." (40000004 bytes).
// `length` is the whole text's length when `text` is only its start.
std::string quotedExcerpt(std::string_view text, std::uint64_t length);
inline std::string quotedExcerpt(std::string_view text) { return quotedExcerpt(text, text.size()); }

// Text from a file, a script, a path or a typed box as a window may quote it:
// printable characters as they are; each byte of a malformed UTF-8 part as
// \xHH; a control character as \n, \r, \t or \xHH (C1 as \u0085); a
// character that is not seen but moves or hides the text around it
// (bidirectional marks, zero-width ones, line separators) as \u202E. What it
// gives back is printable, so a second pass changes nothing.
std::string printableText(std::string_view text);

// Only the printable characters of text from another machine (a name), at
// most `most` of them: malformed UTF-8, control characters and the characters
// that are not seen but move or hide the text around them are dropped.
std::string printableOnly(std::string_view text, std::size_t most);

// A line read with a bound on the memory it takes.
struct BoundedLine {
  std::string text;          // the line without its newline; only its first bytes when cut()
  std::uint64_t length = 0;  // the whole line's length in bytes
  bool ended = false;        // ended by a newline; false for a last line without one
  bool cut() const { return length > text.size(); }
};

// Reads the next line of `in`, keeping at most `keep` bytes of it; the rest of
// a longer line is read and dropped. False at the end of the stream, and on a
// read error (then `in.bad()`, the line that was being read is lost).
bool readBoundedLine(std::istream& in, std::size_t keep, BoundedLine& line);

}  // namespace glamora
