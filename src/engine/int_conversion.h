// The game's string-to-integer conversion of typed texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glamora {

// Leading blanks, an optional sign, then decimal digits or "$" and hexadecimal
// digits, nothing after them, and a value that fits 32 bits. nullopt otherwise.
std::optional<std::int32_t> parseInteger(std::string_view text);

// The same, throwing GameError "'<text>' は整数ではありません" when it is no integer.
std::int32_t toInteger(const std::string& text);

}  // namespace glamora
