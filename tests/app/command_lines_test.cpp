// Both programs' command lines as a user types them, run as processes with no
// display at all: --help and --version answer on standard output with status
// 0, anything else they do not take gets the usage on standard error and
// status 2. The manual pages name every option the programs know.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace glamora {
namespace {

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  int status = -1;
  std::string out, err;
};

// Runs `program` with `arguments` (shell words) in an empty directory, with no
// display, no Qt platform chosen and a home of its own.
Outcome run(const std::string& program, const std::string& arguments) {
  static QTemporaryDir scratch;
  const std::string dir = scratch.path().toStdString();
  const std::string command = "cd '" + dir + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME='" + dir +
                              "' '" + program + "' " + arguments + " < /dev/null > out.txt 2> err.txt";
  const int result = std::system(command.c_str());
  Outcome outcome;
  if (WIFEXITED(result)) outcome.status = WEXITSTATUS(result);
  outcome.out = contents(dir + "/out.txt");
  outcome.err = contents(dir + "/err.txt");
  return outcome;
}

TEST(CommandLines, HelpAndVersionAnswerWithoutADisplayAndAnythingElseGetsTheUsage) {
  const std::string game = GLAMORA_PROGRAM, sim = GLAMORA_SIM_PROGRAM;
  const struct {
    const std::string& program;
    const char* arguments;
    int status;
    const char* outFragment;  // "" : nothing on standard output
    const char* errFragment;  // "" : nothing on standard error
  } cases[] = {
      {game, "--help", 0, "--replay FILE", ""},
      {game, "-h", 0, "usage: glamora", ""},
      {game, "--replay x --help", 0, "--version", ""},
      {game, "--version", 0, "glamora 1.0\n", ""},
      {game, "--fullscreen", 2, "", "unknown argument '--fullscreen'\nusage: glamora"},
      {game, "-platform offscreen", 2, "", "unknown argument '-platform'"},
      {game, "--replay", 2, "", "--replay needs a value"},
      {game, "--round 2", 2, "", "--round goes with --replay"},
      {game, "--replay a --round 0", 2, "", "whole number"},
      {game, "--replay a --round 2x", 2, "", "whole number"},
      {game, "--replay a --replay b", 2, "", "given twice"},
      {game, "--help --lobby", 0, "--lobby HOST[:PORT]", ""},
      {game, "--lobby", 2, "", "--lobby needs a value"},
      {game, "--lobby 'my lobby'", 2, "", "--lobby needs HOST or HOST:PORT"},
      {game, "--lobby lobby.example.org:70000", 2, "", "not 'lobby.example.org:70000'"},
      {game, "--lobby a --lobby b", 2, "", "--lobby given twice"},
      {sim, "--help", 0, "glamora-sim --net-join", ""},
      {sim, "-h", 0, "unlock N", ""},
      {sim, "--version", 0, "glamora-sim 1.0\n", ""},
      {sim, "--verbose", 2, "", "unknown option '--verbose'\nusage: glamora-sim"},
      {sim, "-", 2, "", "unknown option '-'"},
      {sim, "--help me", 2, "", "wrong arguments for '--help'"},
      {sim, "--bench now", 2, "", "wrong arguments for '--bench'"},
      {sim, "one.sim two.sim", 2, "", "usage: glamora-sim"},
      {sim, "--match easy", 2, "", "usage: glamora-sim --match"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = run(c.program, c.arguments);
    SCOPED_TRACE(c.program + " " + c.arguments + "\nstdout: " + outcome.out + "\nstderr: " + outcome.err);
    EXPECT_EQ(outcome.status, c.status);
    if (*c.outFragment) EXPECT_NE(outcome.out.find(c.outFragment), std::string::npos);
    else EXPECT_EQ(outcome.out, "");
    if (*c.errFragment) EXPECT_NE(outcome.err.find(c.errFragment), std::string::npos);
    else EXPECT_EQ(outcome.err, "");
  }
}

// Every option in a program's --help, and every script command, is in its manual page.
TEST(CommandLines, TheManualPagesNameEveryOptionAndCommand) {
  const std::vector<std::string> simCommands = {"screen", "stage", "key",   "wait", "editor", "character",
                                                "bgm",    "se",    "title", "dump", "cpu",    "unlock"};
  // The English pages and their Japanese translations alike.
  const struct {
    std::string program, page;
    std::vector<std::string> commands;
  } programs[] = {
      {GLAMORA_PROGRAM, GLAMORA_MAN_DIR "/glamora.6", {}},
      {GLAMORA_SIM_PROGRAM, GLAMORA_MAN_DIR "/glamora-sim.6", simCommands},
      {GLAMORA_PROGRAM, GLAMORA_MAN_DIR "/ja/glamora.6", {}},
      {GLAMORA_SIM_PROGRAM, GLAMORA_MAN_DIR "/ja/glamora-sim.6", simCommands},
  };
  const std::regex option("--[a-z][a-z-]*");
  for (const auto& p : programs) {
    SCOPED_TRACE(p.page);
    const std::string help = run(p.program, "--help").out;
    const std::string page = contents(p.page);
    ASSERT_FALSE(page.empty());
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
      options.insert(it->str());
    EXPECT_GE(options.size(), 3u) << help;
    for (const std::string& name : options) {
      // Written \-\- in the page, so that it prints as two hyphens.
      EXPECT_NE(page.find("\\-\\-" + name.substr(2)), std::string::npos) << name;
    }
    // The words set in bold: the first word of each bold or bold-italic line and of each quoted phrase.
    std::set<std::string> bold;
    const std::regex boldWord(R"((?:\n\.B[IR]? |")([a-z]+))");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), boldWord); it != std::sregex_iterator(); ++it)
      bold.insert((*it)[1]);
    for (const std::string& command : p.commands) EXPECT_TRUE(bold.contains(command)) << command;
  }
}

}  // namespace
}  // namespace glamora
