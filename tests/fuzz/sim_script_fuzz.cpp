// glamora-sim's script reader running the engine, on any text. A limit of
// this harness, not of the driver: every `wait` is cut so that one input
// never simulates more than kMaxSimulatedMs in all, which keeps each run
// short; everything else reaches the driver unchanged, line numbers included.
// Whatever the input's bytes, every output line is valid UTF-8 with no raw
// control character, and a bad line's message is one line.
#include <algorithm>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>

#include "engine/text_checks.h"
#include "fuzz_check.h"
#include "sim_driver.h"

namespace {

constexpr std::int64_t kMaxSimulatedMs = 60'000;

// Checks the driver's output a line at a time and keeps no more of it.
class CheckedOutput : public std::streambuf {
 protected:
  int overflow(int c) override {
    if (c != traits_type::eof()) take(static_cast<char>(c));
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    for (std::streamsize i = 0; i < n; ++i) take(s[i]);
    return n;
  }

 private:
  void take(char ch) {
    if (ch != '\n') {
      FUZZ_CHECK(static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F);
      line_ += ch;
      return;
    }
    FUZZ_CHECK(glamora::validUtf8(line_));
    line_.clear();
  }
  std::string line_;
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

  CheckedOutput checked;
  std::ostream out(&checked);
  std::ostringstream err;
  std::istringstream in(script);
  glamora::sim::SimDriver driver(out);
  const int status = driver.run(in, err);
  FUZZ_CHECK(status == 0 || status == 2);
  FUZZ_CHECK((status == 0) == err.str().empty());
  FUZZ_CHECK(err.str().find('\n') + 1 == err.str().size() && err.str().size() < 2000);
  return 0;
}
