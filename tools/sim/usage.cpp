#include "usage.h"

#include <string_view>

#include "engine/computer_level.h"
#include "engine/text_checks.h"

namespace glamora::sim {

const char* usageText() {
  return "usage: glamora-sim [SCRIPT]\n"
         "       glamora-sim --bench\n"
         "       glamora-sim --match LEVEL_A LEVEL_B --rounds N --seed S\n"
         "       glamora-sim --training LEVEL --seeds N [--seed FIRST]\n"
         "       glamora-sim --hash SCRIPT\n"
         "       glamora-sim --records [--rows] FILE...\n"
         "       glamora-sim --net-host PORT [--bind ADDR] --cpu LEVEL --rounds N --seed S [--speed X] [--wait S]"
         " [--journal FILE] [--net-key TEXT]\n"
         "       glamora-sim --net-join HOST:PORT --cpu LEVEL [--seed S] [--speed X] [--journal FILE]"
         " [--net-key TEXT]\n"
         "       glamora-sim --net-host-room LOBBY[:PORT] [--public] [--name NAME] --cpu LEVEL --rounds N --seed S"
         " [--speed X] [--wait S] [--journal FILE] [--net-key TEXT]\n"
         "       glamora-sim --net-join-room LOBBY[:PORT] CODE --cpu LEVEL [--seed S] [--speed X] [--journal FILE]"
         " [--net-key TEXT]\n"
         "       glamora-sim --lobby-list LOBBY[:PORT]\n"
         "       glamora-sim --net-sim --cpu A B --delay MS --jitter MS --loss PCT [--burst N] --rounds N --seed S\n"
         "       glamora-sim --help | --version\n";
}

int runInfoCommand(int argc, char** argv, std::ostream& out) {
  if (argc != 2) return -1;
  const std::string_view option = argv[1];
  if (option == "--help" || option == "-h") {
    out << usageText()
        << "\n"
           "Runs Glamora's rules without a window, on a simulated clock, and writes JSON\n"
           "lines. SCRIPT (standard input when none is named) holds one command a line:\n"
           "  screen battle|training   stage N   key C   wait MS   title   dump\n"
           "  editor BOX TEXT   editor close   character elna|mirabe\n"
           "  bgm on|off   se on|off   cpu P off|easy|normal|hard [SEED]   unlock N\n"
           "--bench prints the rules signature; --match and --training play the computer\n"
           "against itself (LEVEL: easy, normal, hard; --match also random); --hash prints\n"
           "the hash of a script's final battle state; --records prints the records of\n"
           "session files' finished rounds as one JSON object; --net-host, --net-join and --net-sim\n"
           "play a network battle headless; --net-host-room and --net-join-room meet\n"
           "through a lobby by a room code, and --lobby-list lists its public rooms.\n"
           "See glamora-sim(6).\n";
    return 0;
  }
  if (option == "--version") {
    out << "glamora-sim " << GLAMORA_VERSION << "\n";
    return 0;
  }
  return -1;
}

int badOptions(const char* option, std::ostream& err) {
  static constexpr std::string_view kOptions[] = {
      "--help",     "--version",  "--bench",         "--match",         "--training",   "--hash",   "--records",
      "--net-host", "--net-join", "--net-host-room", "--net-join-room", "--lobby-list", "--net-sim"};
  bool known = false;
  for (const std::string_view name : kOptions) known = known || name == option;
  err << "glamora-sim: " << (known ? "wrong arguments for " : "unknown option ") << "'" << option << "'\n"
      << usageText();
  return 2;
}

std::string levelChoices() {
  std::string text;
  for (const ComputerLevel level :
       {ComputerLevel::Easy, ComputerLevel::Normal, ComputerLevel::Hard, ComputerLevel::Random}) {
    text += (text.empty() ? "" : ", ") + std::string(levelName(level));
  }
  return text;
}

std::string wrongValue(const std::string& name, const std::string& value, const std::string& allowed) {
  return name + ": '" + printableText(value) + "' is not " + allowed;
}

}  // namespace glamora::sim
