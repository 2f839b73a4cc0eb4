// glamora-soak: random play under the invariant checks.
//   glamora-soak [--rounds N] [--seed S] [--session-rounds K] [--part I/M]
// Prints one JSON line with the rounds and ticks played. On a failed check
// prints the failures, writes the failing session's inputs to
// soak-failure.sim (replay it with glamora-sim) and exits with 1.
#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "soak_run.h"

namespace {

bool number(std::string_view text, std::uint64_t& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t rounds = 10000, seed = 1, perSession = 50, part = 0, parts = 1;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    const std::string_view value = k + 1 < argc ? std::string_view(argv[k + 1]) : std::string_view();
    bool ok = true;
    if (arg == "--rounds") ok = number(value, rounds) && rounds > 0;
    else if (arg == "--seed") ok = number(value, seed);
    else if (arg == "--session-rounds") ok = number(value, perSession) && perSession > 0;
    else if (arg == "--part") {
      const auto slash = value.find('/');
      ok = slash != std::string_view::npos && number(value.substr(0, slash), part) &&
           number(value.substr(slash + 1), parts) && parts > 0 && part < parts;
    } else ok = false;
    if (!ok) {
      std::cerr << "usage: glamora-soak [--rounds N] [--seed S] [--session-rounds K] [--part I/M]\n";
      return 2;
    }
    ++k;
  }
  const glamora::soak::SoakTotals t = glamora::soak::runSoak(
      seed, static_cast<int>(rounds), static_cast<int>(perSession), static_cast<int>(part), static_cast<int>(parts));
  std::cout << "{\"rounds\":" << t.rounds << ",\"ticks\":" << t.ticks
            << ",\"simulatedHours\":" << static_cast<double>(t.ticks) / 36000.0 << ",\"inputs\":" << t.inputs
            << ",\"resultDialogs\":" << t.dialogs << ",\"errorBoxes\":" << t.errorBoxes
            << ",\"failed\":" << (t.failures.empty() ? "false" : "true") << "}\n";
  if (t.failures.empty()) return 0;
  for (std::size_t k = 0; k < t.failures.size() && k < 20; ++k) std::cerr << "soak: " << t.failures[k] << "\n";
  std::ofstream("soak-failure.sim") << t.failedScript;
  std::cerr << "soak: the failing session's inputs are in soak-failure.sim\n";
  return 1;
}
