#include "bench.h"

#include <cstdio>

namespace glamora::sim {

namespace {

std::string hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

std::vector<std::string> benchLines(const RulesSignature& r) {
  std::vector<std::string> lines;
  for (const SignatureGame& g : r.games) {
    lines.push_back("{\"game\":\"" + g.name + "\",\"ticks\":" + std::to_string(g.ticks) + ",\"signature\":\"" +
                    hex(g.signature) + "\"}");
  }
  lines.push_back("{\"bench\":\"rules\",\"games\":" + std::to_string(r.games.size()) +
                  ",\"ticks\":" + std::to_string(r.ticks) + ",\"signature\":\"" + hex(r.signature) + "\"}");
  return lines;
}

}  // namespace glamora::sim
