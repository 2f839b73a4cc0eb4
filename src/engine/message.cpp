#include "message.h"

namespace glamora {

std::string fillArguments(const std::string& pattern, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t index = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
      out += args[index];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string Message::text() const {
  if (isFixed()) return fixed_;
  std::vector<std::string> parts;
  parts.reserve(args_.size());
  for (const Message& arg : args_) parts.push_back(arg.text());
  return fillArguments(source_, parts);
}

}  // namespace glamora
