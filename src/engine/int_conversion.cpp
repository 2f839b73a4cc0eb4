#include "int_conversion.h"

#include "errors.h"

namespace glamora {

namespace {

int digitValue(char ch, int base) {
  int v = -1;
  if (ch >= '0' && ch <= '9') v = ch - '0';
  else if (ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
  else if (ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;

  // Decimal values must fit the signed range; hexadecimal ones are a 32-bit
  // pattern, so "$FFFFFFFF" is -1.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = digitValue(text[i], base);
    if (d < 0) return std::nullopt;
    value = value * base + static_cast<std::uint64_t>(d);
    if (value > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint32_t result = negative ? 0u - bits : bits;
  return static_cast<std::int32_t>(result);
}

std::int32_t toInteger(const std::string& text) {
  if (auto value = parseInteger(text)) return *value;
  throw GameError(Message("Message", "'%1' は整数ではありません", {Message::fixed(text)}));
}

}  // namespace glamora
