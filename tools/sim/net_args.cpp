#include "net_args.h"

namespace glamora::sim {

namespace {

// 1234 thousandths as "1.234", 5000 as "5".
std::string decimal(std::int64_t thousandths) {
  std::string text = std::to_string(thousandths / 1000);
  if (const std::int64_t part = thousandths % 1000; part != 0) {
    std::string digits = std::to_string(1000 + part).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    text += "." + digits;
  }
  return text;
}

}  // namespace

bool NetArgs::parse(int argc, char** argv, int first, const std::map<std::string, int>& arity) {
  for (int k = first; k < argc;) {
    const std::string name = argv[k];
    const auto it = arity.find(name);
    if (it == arity.end() || values_.contains(name) || k + it->second >= argc) return false;
    std::vector<std::string>& v = values_[name];
    for (int j = 1; j <= it->second; ++j) v.emplace_back(argv[k + j]);
    k += 1 + it->second;
  }
  return true;
}

void NetArgs::note(std::string problem) {
  if (problem_.empty()) problem_ = std::move(problem);
}

std::optional<std::int64_t> NetArgs::number(const std::string& name, std::int64_t low, std::int64_t high, int k) {
  const std::string& text = value(name, k);
  const bool digits = !text.empty() && text.size() <= 18 && text.find_first_not_of("0123456789") == std::string::npos;
  if (const std::int64_t n = digits ? std::stoll(text) : low - 1; n >= low && n <= high) return n;
  note(wrongValue(name, text, "a whole number from " + std::to_string(low) + " to " + std::to_string(high)));
  return std::nullopt;
}

std::optional<std::int64_t> NetArgs::thousandths(const std::string& name, std::int64_t low, std::int64_t high) {
  const std::string& text = value(name);
  const std::size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  const std::string part = dot == std::string::npos ? "" : text.substr(dot + 1);
  const bool wellFormed = !whole.empty() && whole.size() <= 9 && part.size() <= 3 &&
                          (dot == std::string::npos || !part.empty()) &&
                          whole.find_first_not_of("0123456789") == std::string::npos &&
                          part.find_first_not_of("0123456789") == std::string::npos;
  std::int64_t n = wellFormed ? std::stoll(whole) * 1000 : low - 1;
  std::int64_t scale = 100;
  if (wellFormed)
    for (const char ch : part) {
      n += (ch - '0') * scale;
      scale /= 10;
    }
  if (n >= low && n <= high) return n;
  note(wrongValue(name, text, "a number from " + decimal(low) + " to " + decimal(high) + " with up to three decimals"));
  return std::nullopt;
}

std::optional<ComputerLevel> NetArgs::level(const std::string& name, int k) {
  const std::string& text = value(name, k);
  if (const std::optional<ComputerLevel> level = levelFromName(text)) return level;
  note(wrongValue(name, text, "one of " + levelChoices()));
  return std::nullopt;
}

}  // namespace glamora::sim
