#include "lobby_options.h"

#include <arpa/inet.h>

#include <algorithm>
#include <charconv>
#include <functional>

namespace glamora::lobby {

namespace {

// A flag with a whole number in [least, most].
struct NumberFlag {
  std::string_view name;
  std::int64_t least;
  std::int64_t most;
  std::function<void(LobbyOptions&, std::int64_t)> set;
  std::string_view help;
};

const NumberFlag kNumberFlags[] = {
    {"--port", 0, 65535, [](LobbyOptions& o, std::int64_t v) { o.port = static_cast<std::uint16_t>(v); },
     "UDP port to listen on; 0 takes any free port (default 47292)"},
    {"--rooms", 1, 1'000'000, [](LobbyOptions& o, std::int64_t v) { o.limits.rooms = static_cast<std::size_t>(v); },
     "most rooms at once (default 10000)"},
    {"--requests-per-second", 1, 1'000'000,
     [](LobbyOptions& o, std::int64_t v) { o.limits.requestsPerSecond = static_cast<int>(v); },
     "most lobby messages a second from one address (default 20)"},
    {"--unknown-codes-per-minute", 1, 1'000'000,
     [](LobbyOptions& o, std::int64_t v) { o.limits.unknownCodesPerMinute = static_cast<int>(v); },
     "most unknown room codes a minute from one address (default 10)"},
    {"--relay-bytes-per-second", 1, 1'000'000'000,
     [](LobbyOptions& o, std::int64_t v) { o.limits.relayBytesPerSecond = v; },
     "most bytes relayed a second each way in a room (default 32768)"},
    {"--relayed-rooms", 0, 1'000'000,
     [](LobbyOptions& o, std::int64_t v) { o.limits.relayedRooms = static_cast<std::size_t>(v); },
     "most rooms relayed at once; 0 relays none (default 2000)"},
};

std::optional<std::int64_t> wholeNumber(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<LobbyOptions> parseLobbyOptions(std::span<const std::string_view> args, std::string& error) {
  LobbyOptions options;
  for (std::size_t k = 0; k < args.size(); ++k) {
    std::string_view flag = args[k];
    std::optional<std::string_view> value;
    if (const std::size_t equals = flag.find('='); flag.starts_with("--") && equals != std::string_view::npos) {
      value = flag.substr(equals + 1);
      flag = flag.substr(0, equals);
    }
    if (flag == "--help" && !value) {
      options.help = true;
      continue;
    }
    const auto number = std::find_if(std::begin(kNumberFlags), std::end(kNumberFlags),
                                     [&](const NumberFlag& f) { return f.name == flag; });
    if (number == std::end(kNumberFlags) && flag != "--bind") {
      error = "unknown option " + std::string(flag);
      return std::nullopt;
    }
    if (!value && ++k < args.size()) value = args[k];
    if (!value) {
      error = std::string(flag) + " needs a value";
      return std::nullopt;
    }
    if (flag == "--bind") {
      in_addr address{};
      if (inet_pton(AF_INET, std::string(*value).c_str(), &address) != 1) {
        error = "--bind needs an IPv4 address, not " + std::string(*value);
        return std::nullopt;
      }
      options.bind = std::string(*value);
      continue;
    }
    const std::optional<std::int64_t> n = wholeNumber(*value);
    if (!n || *n < number->least || *n > number->most) {
      error = std::string(flag) + " needs a whole number from " + std::to_string(number->least) + " to " +
              std::to_string(number->most) + ", not " + std::string(*value);
      return std::nullopt;
    }
    number->set(options, *n);
  }
  return options;
}

std::string lobbyUsage() {
  std::string text =
      "glamora-lobby [OPTION...]: the meeting server where network games find each other by a room code,\n"
      "and which relays a battle when the two games cannot reach each other directly.\n"
      "  --bind ADDR                    IPv4 address to listen on (default 0.0.0.0)\n";
  for (const NumberFlag& flag : kNumberFlags) {
    std::string line = "  " + std::string(flag.name) + " N";
    line.resize(std::max<std::size_t>(line.size() + 1, 33), ' ');
    text += line + std::string(flag.help) + "\n";
  }
  text += "  --help                         this text\n";
  return text;
}

}  // namespace glamora::lobby
