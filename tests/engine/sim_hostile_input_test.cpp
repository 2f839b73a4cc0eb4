// glamora-sim on scripts built to hurt it: huge lines, malformed UTF-8, NUL
// bytes, waits past the clock's end, a script cut short; and the program's
// exit status when its input or output fails.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <nlohmann/json.hpp>

#include "engine/text_checks.h"
#include "sim_driver.h"

namespace glamora {
namespace {

using namespace std::string_literals;

struct Hostile {
  const char* what;
  std::string script;
  int status;
  std::string errFragment;  // in standard error ("" when nothing may be written there)
  std::size_t outLines;
  std::string outFragment;  // in standard output
};

TEST(SimHostileInput, BadLinesAreRefusedAndOutputStaysValidJson) {
  const std::string x65534(65534, 'x');
  const Hostile cases[] = {
      {"longest line", "# " + x65534 + "\ndump\n", 0, "", 1, ""},
      {"longest line, CRLF", "# " + x65534 + "\r\ndump\r\n", 0, "", 1, ""},
      {"one byte too long", "dump\n# x" + x65534 + "\ndump\n", 2, "line 2: \"# xxxxx", 1, ""},
      {"long line shortened", "dump\nkey " + std::string(200'000, 'y') + "\n", 2,
       "yyy...\" (200004 bytes): line longer than 65536 bytes", 1, ""},
      {"long word shortened", std::string(60'000, 'z') + "\n", 2, "zzz...\" (60000 bytes): unknown command", 0, ""},
      {"overlong key", "key \xC1\xB3\n", 2, "key character is not valid UTF-8", 0, ""},
      {"overlong 3-byte key", "key \xE0\x81\xB3\n", 2, "not valid UTF-8", 0, ""},
      {"surrogate key", "key \xED\xA0\x80\n", 2, "not valid UTF-8", 0, ""},
      {"key above U+10FFFF", "key \xF4\x90\x80\x80\n", 2, "not valid UTF-8", 0, ""},
      {"NUL key", "key \0\n"s, 2, "line 1: \"key \\u0000\": key character is NUL", 0, ""},
      {"largest key", "key \xF4\x8F\xBF\xBF\nkey \xED\x9F\xBF\ndump\n", 0, "", 1, ""},
      {"control bytes shown escaped", "dump\x1B[2J\n", 2, "\"dump\\u001b[2J\": unknown command", 0, ""},
      {"wait past the clock's end", "wait 7\nwait 4611686018427387897\ndump\n", 2,
       "line 2: \"wait 4611686018427387897\": wait \"4611686018427387897\" would pass the clock's largest time", 0, ""},
      {"wait up to the clock's end", "wait 7\nwait 4611686018427387896\ndump\n", 0, "", 1,
       "\"t\":4611686018427387903,"},
      {"unlock", "unlock 3\nscreen training\ndump\n", 0, "", 1,
       "\"enabled\":[true,true,true,false,false,false,false,false,false,false,false,false,false,false,true]"},
      {"unlock sets the progress, lower too", "unlock 6\nunlock 2\nscreen training\ndump\n", 0, "", 1,
       "\"enabled\":[true,true,false,false,false,false,false,false,false,false,false,false,false,false,true]"},
      {"unlock out of range", "unlock 15\n", 2, "unlock takes a stage number 1..14", 0, ""},
      {"unlock nothing", "unlock 0\n", 2, "unlock takes a stage number 1..14", 0, ""},
      {"wait with leading zeros", "wait 00000000000000000000300\ndump\n", 0, "", 1, "\"t\":300,"},
      {"cut last line ignored", "dump\ndum", 0, "", 1, ""},
      {"cut last key ignored", "dump\nkey \xE3\x81", 0, "", 1, ""},
      {"cut long last line ignored", "dump\nkey " + x65534 + "yyyy", 0, "", 1, ""},
      {"valid last line runs", "dump\ndump", 0, "", 2, ""},
      {"bad UTF-8 in a box", "editor psc \xFF\xFE\neditor close\n", 0, "", 1,
       "\"'\xEF\xBF\xBD\xEF\xBF\xBD' は整数ではありません.\""},
      {"NUL in a box", "editor psc 1\0x\neditor close\n"s, 0, "", 1, "\"'1\\u0000x' は整数ではありません.\""},
      {"NUL in a box, stage 15", "screen training\neditor ptm \0\nstage 15\n"s, 0, "", 1,
       "\"'\\u0000' は整数ではありません.\""},
  };
  for (const Hostile& c : cases) {
    SCOPED_TRACE(c.what);
    std::istringstream in(c.script);
    std::ostringstream out, err;
    sim::SimDriver driver(out);
    EXPECT_EQ(driver.run(in, err), c.status) << err.str();
    const std::string errText = err.str();
    if (c.errFragment.empty()) {
      EXPECT_EQ(errText, "");
    } else {
      EXPECT_NE(errText.find(c.errFragment), std::string::npos) << errText;
      EXPECT_EQ(std::count(errText.begin(), errText.end(), '\n'), 1) << errText;
      EXPECT_LT(errText.size(), 400u);
    }
    const std::string written = out.str();
    EXPECT_EQ(static_cast<std::size_t>(std::count(written.begin(), written.end(), '\n')), c.outLines) << written;
    EXPECT_NE(written.find(c.outFragment), std::string::npos) << written;
    std::istringstream lines(written);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_TRUE(nlohmann::json::accept(line)) << line;
    }
  }
}

TEST(SimHostileInput, JsonStringsAreValidUtf8WhateverTheBytes) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 12, '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 4 == 0 ? random() % 0x20 : 0x80 + random() % 0x80);
    const std::string quoted = jsonString(bytes);
    ASSERT_TRUE(validUtf8(quoted));
    nlohmann::json parsed;
    ASSERT_NO_THROW(parsed = nlohmann::json::parse(quoted)) << quoted;
    if (validUtf8(bytes)) {
      EXPECT_EQ(parsed.get<std::string>(), bytes);
    }
  }
}

// The program itself, run through the shell with its streams redirected.
struct ProgramRun {
  const char* what;
  std::string command;  // the program's arguments and redirections
  int status;
  std::string errFragment;
};

TEST(SimHostileInput, ExitStatusTellsWhetherInputAndOutputWorked) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / "glamora_sim_exit";
  fs::create_directories(dir);
  const std::string script = (dir / "ok.sim").string(), bad = (dir / "bad.sim").string();
  const std::string errFile = (dir / "err.txt").string(), outFile = (dir / "out.txt").string();
  std::ofstream(script) << "dump\nwait 300\ndump\n";
  std::ofstream(bad) << "dump\njump\n";

  std::vector<ProgramRun> runs = {
      {"a file", "'" + script + "' > '" + outFile + "'", 0, ""},
      {"standard input", "< '" + script + "' > '" + outFile + "'", 0, ""},
      {"a pipe", "< '" + script + "' | cat > '" + outFile + "'", 0, ""},
      {"a bad line", "'" + bad + "' > '" + outFile + "'", 2, "line 2: \"jump\": unknown command"},
      {"a directory", "'" + dir.string() + "'", 1, "glamora-sim: cannot read " + dir.string() + ": Is a directory"},
      {"a missing file", "'" + (dir / "none.sim").string() + "'", 1, "No such file or directory"},
      {"closed output", "'" + script + "' >&-", 1, "glamora-sim: cannot write output: Bad file descriptor"},
  };
  if (fs::exists("/dev/full")) {
    runs.push_back({"full disk", "'" + script + "' > /dev/full", 1,
                    "glamora-sim: cannot write output: No space left on device"});
  }
  for (const ProgramRun& run : runs) {
    SCOPED_TRACE(run.what);
    fs::remove(outFile);
    const std::string command = "'" GLAMORA_SIM_PROGRAM "' " + run.command + " 2> '" + errFile + "'";
    const int result = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(result)) << command;
    EXPECT_EQ(WEXITSTATUS(result), run.status) << command;
    std::ifstream errIn(errFile);
    const std::string errText((std::istreambuf_iterator<char>(errIn)), std::istreambuf_iterator<char>());
    if (run.errFragment.empty()) EXPECT_EQ(errText, "");
    else EXPECT_NE(errText.find(run.errFragment), std::string::npos) << errText;
    EXPECT_LE(std::count(errText.begin(), errText.end(), '\n'), 1) << errText;
    if (run.status != 1 && fs::exists(outFile)) {
      std::ifstream outIn(outFile);
      const std::string written((std::istreambuf_iterator<char>(outIn)), std::istreambuf_iterator<char>());
      EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), run.status == 0 ? 2 : 1) << written;
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace glamora
