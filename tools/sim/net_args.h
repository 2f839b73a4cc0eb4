// The words of a network command: "--name value..." options, each given once.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace glamora::sim {

class NetArgs {
 public:
  // `arity`: each option allowed and how many values it takes. False on an
  // unknown or repeated option, or one short of values.
  bool parse(int argc, char** argv, int first, const std::map<std::string, int>& arity);
  bool has(const std::string& name) const { return values_.contains(name); }
  const std::string& value(const std::string& name, int k = 0) const { return values_.at(name)[k]; }

  // A whole number in [low, high].
  std::optional<std::int64_t> number(const std::string& name, std::int64_t low, std::int64_t high, int k = 0) const;
  // A decimal number with up to three decimals, in thousandths, in [low, high].
  std::optional<std::int64_t> thousandths(const std::string& name, std::int64_t low, std::int64_t high) const;

 private:
  std::map<std::string, std::vector<std::string>> values_;
};

}  // namespace glamora::sim
