// What two games in windows tell each other beside the battle's packets, on
// the reliable channel: the machine's name (which also says that this side
// shows result dialogs), and that a result dialog has been closed. A headless
// peer neither sends them nor reads them (it drops them as it drops any packet
// it does not know). Checked like the battle's packets: magic, the session
// token, lengths, a CRC-32.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glamora::net {

// The most characters of a machine name shown or sent.
inline constexpr std::size_t kShownNameCharacters = 32;

struct SideMessage {
  enum class Kind : std::uint8_t { Name = 1, ResultClosed = 2 };
  Kind kind = Kind::Name;
  std::string name;  // Name: the machine's name, printable only, at most 32 characters
  int round = 0;     // ResultClosed: the round whose result dialog was closed
};

bool looksLikeSideMessage(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeSideMessage(const SideMessage& message, std::uint64_t token);
// None unless the bytes are a well-formed message with this token.
std::optional<SideMessage> decodeSideMessage(std::span<const std::uint8_t> bytes, std::uint64_t token);

}  // namespace glamora::net
