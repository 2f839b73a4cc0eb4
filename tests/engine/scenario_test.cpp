// glamora-sim scripts in tests/scenarios: NAME.sim with the lines expected on
// standard output in NAME.expected (each expected object may name only the keys
// that matter).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "sim_driver.h"

namespace glamora {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// Empty when `actual` matches `expected`: every key of an expected object is
// present with a matching value, arrays match item by item, other values are
// equal. Otherwise where the first difference is.
std::string subsetMismatch(const Json& expected, const Json& actual, const std::string& path = "") {
  const std::string where = path.empty() ? "." : path;
  const std::string differs = where + ": expected " + expected.dump() + ", got " + actual.dump();
  if (expected.is_object()) {
    if (!actual.is_object()) return differs;
    for (const auto& [key, value] : expected.items()) {
      if (!actual.contains(key)) return path + "." + key + ": missing";
      if (auto m = subsetMismatch(value, actual.at(key), path + "." + key); !m.empty()) return m;
    }
    return "";
  }
  if (expected.is_array()) {
    if (!actual.is_array() || actual.size() != expected.size()) return differs;
    for (std::size_t k = 0; k < expected.size(); ++k) {
      if (auto m = subsetMismatch(expected[k], actual[k], path + "[" + std::to_string(k) + "]"); !m.empty()) return m;
    }
    return "";
  }
  return expected == actual ? "" : differs;
}

std::vector<std::string> lines(std::istream& in) {
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') out.push_back(line);
  }
  return out;
}

class Scenario : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenario, OutputMatchesTheExpectedLines) {
  const fs::path script = fs::path(GLAMORA_SCENARIO_DIR) / (GetParam() + ".sim");
  std::ifstream in(script);
  std::ostringstream out, err;
  sim::SimDriver driver(out);
  ASSERT_EQ(driver.run(in, err), 0) << err.str();

  std::istringstream actualText(out.str());
  std::ifstream expectedFile(fs::path(GLAMORA_SCENARIO_DIR) / (GetParam() + ".expected"));
  const auto actual = lines(actualText);
  const auto expected = lines(expectedFile);
  ASSERT_EQ(actual.size(), expected.size()) << out.str();
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const std::string mismatch = subsetMismatch(Json::parse(expected[k]), Json::parse(actual[k]));
    EXPECT_EQ(mismatch, "") << "output line " << k + 1;
  }
}

std::vector<std::string> scenarioNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(GLAMORA_SCENARIO_DIR)) {
    if (entry.path().extension() == ".sim") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Scenario, ::testing::ValuesIn(scenarioNames()),
                         [](const auto& info) { return info.param; });

struct BadLine {
  const char* script;
  int line;
};

TEST(SimProtocol, BadLinesStopTheScriptWithStatusTwo) {
  const BadLine cases[] = {
      {"dump\njump\ndump\n", 2},
      {"stage 16\n", 1},
      {"stage 0\n", 1},
      {"stage\n", 1},
      {"key ab\n", 1},
      {"key\n", 1},
      {"wait -1\n", 1},
      {"wait 1.5\n", 1},
      {"wait 10 20\n", 1},
      {"editor pa70 1\n", 1},
      {"editor close now\n", 1},
      {"screen title\n", 1},
      {"bgm maybe\n", 1},
      {"# c\n\nse\n", 3},
      {"Dump\n", 1},
      {"title now\n", 1},
  };
  for (const BadLine& c : cases) {
    std::istringstream in(c.script);
    std::ostringstream out, err;
    sim::SimDriver driver(out);
    EXPECT_EQ(driver.run(in, err), 2) << c.script;
    EXPECT_EQ(err.str().rfind("line " + std::to_string(c.line) + ":", 0), 0u) << err.str();
  }
  std::istringstream in("dump\nnonsense\ndump\n");
  std::ostringstream out, err;
  sim::SimDriver(out).run(in, err);
  const std::string written = out.str();
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1);  // what came before stays
}

TEST(SimProtocol, LinesOfWhiteSpaceOnlyAreBlank) {
  std::istringstream in(" \t\n\f\n\v\r\n\f# a comment\ndump\n");
  std::ostringstream out, err;
  EXPECT_EQ(sim::SimDriver(out).run(in, err), 0) << err.str();
  const std::string written = out.str();
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1);
}

TEST(SimProtocol, KeysAreOneCharacterOfAnyScript) {
  std::istringstream in("key ａ\nkey 5\neditor psc  150\neditor ptm\neditor close\n");
  std::ostringstream out, err;
  sim::SimDriver driver(out);
  EXPECT_EQ(driver.run(in, err), 0) << err.str();
  EXPECT_EQ(out.str(), "{\"t\":0,\"event\":\"error\",\"text\":\"'' は整数ではありません.\"}\n");
}

}  // namespace
}  // namespace glamora
