// A small JSON reader for comparing glamora-sim's output with expected lines:
// an expected object matches when each of its keys is present with a matching value.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace glamora::test {

struct Json {
  enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
  double number = 0;
  bool boolean = false;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> fields;

  // Throws std::runtime_error on malformed input.
  static Json parse(const std::string& text);
  std::string dump() const;
};

// Empty when `actual` matches `expected`; otherwise where it differs.
std::string subsetMismatch(const Json& expected, const Json& actual, const std::string& path = "");

}  // namespace glamora::test
