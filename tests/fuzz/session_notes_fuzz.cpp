// The session reader on any text: the rounds a kept session lists and the
// bad line it reports. A limit of this harness, not of the reader: every
// `wait` is cut so that one input never simulates more than kMaxSimulatedMs
// in all, which keeps each run short.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/journal.h"
#include "engine/replay.h"
#include "fuzz_check.h"

namespace {

constexpr std::int64_t kMaxSimulatedMs = 60'000;

// "wait N" (a single space, N all digits) with N cut to what is left of the
// budget; other lines as they are.
std::string bounded(std::string_view line, std::int64_t& budget) {
  constexpr std::string_view kWait = "wait ";
  if (!line.starts_with(kWait)) return std::string(line);
  std::string_view word = line.substr(kWait.size());
  if (word.ends_with('\r')) word.remove_suffix(1);
  if (word.empty() || word.size() > 18 || word.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::string(line);
  }
  const std::int64_t ms = std::min<std::int64_t>(std::stoll(std::string(word)), budget);
  budget -= ms;
  return "wait " + std::to_string(ms);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string text;
  std::int64_t budget = kMaxSimulatedMs;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    text += bounded(input.substr(start, end - start), budget);
    if (end < input.size()) text += '\n';
    start = end + 1;
  }

  const glamora::SessionNotes notes = glamora::readSessionNotes(text);
  const glamora::ScriptReading reading = glamora::readScript(glamora::splitLines(text));
  FUZZ_CHECK(notes.badLine == reading.badLine);
  FUZZ_CHECK(notes.started.find('\n') == std::string::npos);
  FUZZ_CHECK(!notes.badLine || notes.rounds.empty());
  int number = 0;
  for (std::size_t i = 0; i < notes.rounds.size(); ++i) {
    const glamora::RoundRecord& r = notes.rounds[i];
    FUZZ_CHECK(r.number > number);
    number = r.number;
    FUZZ_CHECK(r.stage >= 1 && r.stage <= 15);
    FUZZ_CHECK(0 <= r.start && r.start <= r.end && r.end <= reading.end);
    FUZZ_CHECK(!r.result.empty());
    FUZZ_CHECK(r.result != glamora::kUnfinished || i + 1 == notes.rounds.size());
  }
  return 0;
}
