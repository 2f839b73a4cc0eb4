#include "net_args.h"

namespace glamora::sim {

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

std::optional<std::int64_t> NetArgs::number(const std::string& name, std::int64_t low, std::int64_t high, int k) const {
  const std::string& text = value(name, k);
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const std::int64_t n = std::stoll(text);
  if (n < low || n > high) return std::nullopt;
  return n;
}

std::optional<std::int64_t> NetArgs::thousandths(const std::string& name, std::int64_t low, std::int64_t high) const {
  const std::string& text = value(name);
  const std::size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  const std::string part = dot == std::string::npos ? "" : text.substr(dot + 1);
  if (whole.empty() || whole.size() > 9 || part.size() > 3 || (dot != std::string::npos && part.empty()) ||
      whole.find_first_not_of("0123456789") != std::string::npos ||
      part.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  std::int64_t n = std::stoll(whole) * 1000;
  std::int64_t scale = 100;
  for (const char ch : part) {
    n += (ch - '0') * scale;
    scale /= 10;
  }
  if (n < low || n > high) return std::nullopt;
  return n;
}

}  // namespace glamora::sim
