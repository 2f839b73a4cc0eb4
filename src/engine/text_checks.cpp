#include "text_checks.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace glamora {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
constexpr std::size_t kExcerptBytes = 80;

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

// The ranges of the well-formed byte sequences: after E0 only A0..BF (shorter
// forms are overlong), after ED only 80..9F (no surrogates), after F0 only
// 90..BF, after F4 only 80..8F (nothing above U+10FFFF); C0, C1 and F5..FF
// never occur.
Utf8Step decodeUtf8(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t value = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {};
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (at + k >= text.size()) return {0, k, false};
    const auto byte = static_cast<unsigned char>(text[at + k]);
    if (byte < low || byte > high) return {0, k, false};
    value = (value << 6) | (byte & 0x3F);
    low = 0x80, high = 0xBF;
  }
  return {value, length, true};
}

bool validUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Step step = decodeUtf8(text, at);
    if (!step.valid) return false;
    at += step.length;
  }
  return true;
}

namespace {

// The two-character escape of a line break or a tab; null for any other character.
const char* shortEscape(char32_t c) {
  switch (c) {
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return nullptr;
  }
}

}  // namespace

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Step step = decodeUtf8(text, at);
    const char32_t c = step.value;
    if (!step.valid) {
      out += kReplacementCharacter;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (const char* escape = shortEscape(c)) {
      out += escape;
    } else if (isControl(c)) {
      std::array<char, 8> escaped{};
      std::snprintf(escaped.data(), escaped.size(), "\\u%04x", static_cast<unsigned>(c));
      out += escaped.data();
    } else {
      out += text.substr(at, step.length);
    }
    at += step.length;
  }
  return out + '"';
}

namespace {

bool isInvisibleLayout(char32_t c) {
  return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) ||
         c == 0xFEFF;
}

// \xHH for a byte, \uHHHH for a character.
void appendEscape(std::string& out, char kind, unsigned value) {
  std::array<char, 12> escaped{};
  std::snprintf(escaped.data(), escaped.size(), "\\%c%0*X", kind, kind == 'x' ? 2 : 4, value);
  out += escaped.data();
}

}  // namespace

std::string printableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Step step = decodeUtf8(text, at);
    const char32_t c = step.value;
    if (!step.valid) {
      for (std::size_t k = 0; k < step.length; ++k) appendEscape(out, 'x', static_cast<unsigned char>(text[at + k]));
    } else if (const char* escape = shortEscape(c)) {
      out += escape;
    } else if (c < 0x80 && isControl(c)) {
      appendEscape(out, 'x', static_cast<unsigned>(c));
    } else if (isControl(c) || isInvisibleLayout(c)) {
      appendEscape(out, 'u', static_cast<unsigned>(c));
    } else {
      out += text.substr(at, step.length);
    }
    at += step.length;
  }
  return out;
}

std::string printableOnly(std::string_view text, std::size_t most) {
  std::string out;
  std::size_t kept = 0;
  for (std::size_t at = 0; at < text.size() && kept < most;) {
    const Utf8Step step = decodeUtf8(text, at);
    if (step.valid && !isControl(step.value) && !isInvisibleLayout(step.value)) {
      out += text.substr(at, step.length);
      ++kept;
    }
    at += step.length;
  }
  return out;
}

std::string quotedExcerpt(std::string_view text, std::uint64_t length) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + decodeUtf8(text, end).length;
    if (next > kExcerptBytes) break;
    end = next;
  }
  std::string out = jsonString(text.substr(0, end));
  if (end == length) return out;
  out.insert(out.size() - 1, "...");
  return out + " (" + std::to_string(length) + " bytes)";
}

// istream::getline into a fixed chunk: it stops at a newline (taken, not
// stored), at the end of the stream (eofbit), or with the chunk full and the
// line going on (failbit only, which is cleared to read on).
bool readBoundedLine(std::istream& in, std::size_t keep, BoundedLine& line) {
  line.text.clear();
  line.length = 0;
  line.ended = false;
  std::array<char, 16384> chunk;
  for (;;) {
    in.getline(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (in.bad()) return false;
    const auto taken = static_cast<std::size_t>(in.gcount());
    const bool full = in.fail() && !in.eof() && taken > 0;
    const bool ended = !in.fail() && !in.eof();
    const std::size_t stored = ended ? taken - 1 : taken;
    if (line.text.size() < keep) line.text.append(chunk.data(), std::min(stored, keep - line.text.size()));
    line.length += stored;
    if (full) {
      in.clear();
      continue;
    }
    line.ended = ended;
    return ended || line.length > 0;
  }
}

}  // namespace glamora
