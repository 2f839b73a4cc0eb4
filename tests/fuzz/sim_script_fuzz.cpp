// glamora-sim's script reader running the engine, on any text. A limit of
// this harness, not of the driver: every `wait` is cut so that one input
// never simulates more than kMaxSimulatedMs in all, which keeps each run
// short; everything else reaches the driver unchanged, line numbers included.
#include <algorithm>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>

#include "fuzz_check.h"
#include "sim_driver.h"

namespace {

constexpr std::int64_t kMaxSimulatedMs = 60'000;

// The driver's output is not looked at; writing it nowhere keeps runs fast.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// "wait N" with N cut to what is left of the budget; other lines as they are.
std::string bounded(const std::string& line, std::int64_t& budget) {
  std::istringstream in(line);
  std::string command, word, extra;
  if (!(in >> command >> word) || command != "wait" || (in >> extra)) return line;
  if (word.size() > 18 || word.find_first_not_of("0123456789") != std::string::npos) return line;
  const std::int64_t ms = std::min<std::int64_t>(std::stoll(word), budget);
  budget -= ms;
  return "wait " + std::to_string(ms);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string script;
  std::int64_t budget = kMaxSimulatedMs;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    script += bounded(input.substr(start, end - start), budget);
    if (end < input.size()) script += '\n';
    start = end + 1;
  }

  NullBuffer nowhere;
  std::ostream out(&nowhere);
  std::ostringstream err;
  std::istringstream in(script);
  glamora::sim::SimDriver driver(out);
  const int status = driver.run(in, err);
  FUZZ_CHECK(status == 0 || status == 2);
  FUZZ_CHECK((status == 0) == err.str().empty());
  return 0;
}
