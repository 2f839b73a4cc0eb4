#include "round_row.h"

#include <array>
#include <charconv>
#include <chrono>

namespace glamora::records {

namespace {

constexpr std::array<const char*, kPlayModeCount> kPlayModeNames = {"local", "computer", "network", "training"};
constexpr std::string_view kComputerPrefix = "cpu:";
constexpr std::string_view kPeerPrefix = "peer:";

// The digits of text[at, at + n) as a number, or -1.
int digits(std::string_view text, std::size_t at, std::size_t n) {
  if (at + n > text.size()) return -1;
  int value = 0;
  const char* first = text.data() + at;
  const auto [end, error] = std::from_chars(first, first + n, value);
  return error == std::errc() && end == first + n ? value : -1;
}

}  // namespace

const char* playModeName(PlayMode mode) { return kPlayModeNames[static_cast<std::size_t>(mode)]; }

std::optional<PlayMode> playModeFromName(std::string_view name) {
  for (std::size_t k = 0; k < kPlayModeNames.size(); ++k) {
    if (name == kPlayModeNames[k]) return static_cast<PlayMode>(k);
  }
  return std::nullopt;
}

std::string personSide() { return "person"; }
std::string computerSide(std::string_view level) { return std::string(kComputerPrefix) + std::string(level); }
std::string peerSide(std::string_view name) { return std::string(kPeerPrefix) + std::string(name); }
bool isComputerSide(std::string_view side) { return side.starts_with(kComputerPrefix); }
bool isPeerSide(std::string_view side) { return side.starts_with(kPeerPrefix); }

bool isBattle(const RoundRow& row) { return row.mode != PlayMode::Training; }

bool wonBy(const RoundRow& row, int p) { return isBattle(row) ? row.winner == p + 1 : row.winner == 1; }

std::optional<std::int64_t> unixMsOfIsoTime(std::string_view text) {
  // yyyy-MM-ddTHH:mm:ss then Z or ±HH:mm
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
    return std::nullopt;
  const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  const int hour = digits(text, 11, 2), minute = digits(text, 14, 2), second = digits(text, 17, 2);
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59 || second < 0 || second > 60)
    return std::nullopt;
  int offsetMinutes = 0;
  const std::string_view zone = text.substr(19);
  if (zone != "Z") {
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':') return std::nullopt;
    const int h = digits(zone, 1, 2), m = digits(zone, 4, 2);
    if (h < 0 || m < 0) return std::nullopt;
    offsetMinutes = (zone[0] == '-' ? -1 : 1) * (h * 60 + m);
  }
  using namespace std::chrono;
  const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                            std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  const auto seconds =
      sys_days(date).time_since_epoch() + hours(hour) + minutes(minute - offsetMinutes) + std::chrono::seconds(second);
  return duration_cast<milliseconds>(seconds).count();
}

}  // namespace glamora::records
