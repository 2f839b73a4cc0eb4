#include "app/command_line.h"

#include <charconv>
#include <string_view>

#include "app/data_directory.h"
#include "net/lobby_place.h"

namespace glamora {

namespace {

bool roundNumber(std::string_view text, int& round) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), round);
  return error == std::errc() && end == text.data() + text.size() && round >= 1;
}

CommandLine bad(std::string problem) {
  CommandLine line;
  line.action = CommandLine::Action::bad;
  line.problem = std::move(problem);
  return line;
}

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  bool replay = false, round = false, lobby = false, language = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    // --help (then --version) wins over anything else on the line.
    if (word == "--help" || word == "-h") line.action = CommandLine::Action::help;
    if (word == "--version" && line.action != CommandLine::Action::help) line.action = CommandLine::Action::version;
  }
  if (line.action != CommandLine::Action::play) return line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    const bool takesValue = word == "--replay" || word == "--round" || word == "--lobby" || word == "--lang";
    if (!takesValue) return bad("unknown argument '" + std::string(word) + "'");
    if ((word == "--replay" && replay) || (word == "--round" && round) || (word == "--lobby" && lobby) ||
        (word == "--lang" && language))
      return bad(std::string(word) + " given twice");
    if (i + 1 == argc) return bad(std::string(word) + " needs a value");
    const std::string_view value = argv[++i];
    if (word == "--lang") {
      if (value != "ja" && value != "en") return bad("--lang needs ja or en, not '" + std::string(value) + "'");
      language = true;
      line.language = value;
    } else if (word == "--lobby") {
      if (!netio::readLobbyPlace(value))
        return bad("--lobby needs HOST or HOST:PORT (a port from 1 to 65535), not '" + std::string(value) + "'");
      lobby = true;
      line.lobby = value;
    } else if (word == "--replay") {
      if (value.empty()) return bad("--replay needs a file name");
      replay = true;
      line.replayFile = value;
    } else {
      if (!roundNumber(value, line.round))
        return bad("--round needs a whole number from 1, not '" + std::string(value) + "'");
      round = true;
    }
  }
  if (round && !replay) return bad("--round goes with --replay");
  line.action = replay ? CommandLine::Action::replay : CommandLine::Action::play;
  return line;
}

std::string missingDisplayProblem(const std::function<const char*(const char*)>& env) {
  const auto given = [&env](const char* name) {
    const char* value = env(name);
    return value && *value;
  };
  if (given("DISPLAY") || given("WAYLAND_DISPLAY") || given("QT_QPA_PLATFORM")) return {};
  return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set (QT_QPA_PLATFORM=offscreen runs without one)";
}

std::string usageText() {
  return "usage: glamora [--lobby HOST[:PORT]] [--lang ja|en]\n"
         "       glamora --replay FILE [--round N] [--lang ja|en]\n"
         "       glamora --help | --version\n";
}

std::string helpText() {
  return usageText() +
         "\n"
         "Glamora: a puzzle battle of cosmetics for two players at one keyboard,\n"
         "or one player training alone, in Japanese or in English.\n"
         "\n"
         "  --replay FILE  watch a round of a kept session file again in its own window\n"
         "                 (keys 1, 2, 4: speed; Space: pause; Escape: close)\n"
         "  --round N      the round to watch (default: the file's last round)\n"
         "  --lobby HOST[:PORT]\n"
         "                 the lobby where rooms are made and joined by code, for this run\n"
         "                 (default: the lobby set in the game's network menu; port 47292)\n"
         "  --lang ja|en   the screens' language for this run (default: the one chosen in\n"
         "                 Options, Japanese when none was chosen)\n"
         "  --help         show this help and exit\n"
         "  --version      show the version and exit\n"
         "\n"
         "Keys: player 1 A S D, player 2 4 5 6 (also the numeric keypad), P pauses;\n"
         "stages from the game menu.\n"
         "\n"
         "Each data file (Glamora.mid, ELNA1.wav ... MIRABE3.wav, Glamora.txt, Glamora_en.txt)\n"
         "is read from the working directory when it is there, otherwise from\n" +
         installedDataDirectory().string() + ".\n";
}

std::string versionText() { return std::string("glamora ") + GLAMORA_VERSION + "\n"; }

}  // namespace glamora
