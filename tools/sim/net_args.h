// The words of a network command: "--name value..." options, each given once.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/computer_level.h"
#include "usage.h"

namespace glamora::sim {

class NetArgs {
 public:
  // `arity`: each option allowed and how many values it takes. False on an
  // unknown or repeated option, or one short of values.
  bool parse(int argc, char** argv, int first, const std::map<std::string, int>& arity);
  bool has(const std::string& name) const { return values_.contains(name); }
  const std::string& value(const std::string& name, int k = 0) const { return values_.at(name)[k]; }

  // Each reading below that fails notes what is wrong with the value, for
  // problem(); the first one noted is kept.
  // A whole number in [low, high].
  std::optional<std::int64_t> number(const std::string& name, std::int64_t low, std::int64_t high, int k = 0);
  // A decimal number with up to three decimals, in thousandths, in [low, high].
  std::optional<std::int64_t> thousandths(const std::string& name, std::int64_t low, std::int64_t high);
  // A computer player's level by its name.
  std::optional<ComputerLevel> level(const std::string& name, int k = 0);

  // Notes a problem with a value that is not an option's (a port, an address).
  void note(std::string problem);
  // One line: the option, the value given and what it may be; empty when
  // every value read so far was right.
  const std::string& problem() const { return problem_; }

 private:
  std::map<std::string, std::vector<std::string>> values_;
  std::string problem_;
};

}  // namespace glamora::sim
