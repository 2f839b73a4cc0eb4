// The game's command line, read before any window system is touched, so
// that --help and --version work without a display.
//   glamora [--lobby HOST[:PORT]]       the game (rooms made and joined at that lobby)
//   glamora --replay FILE [--round N]   watch a round of a kept session again
//   glamora --help | --version
#pragma once

#include <functional>
#include <string>

namespace glamora {

struct CommandLine {
  enum class Action { play, replay, help, version, bad };
  Action action = Action::play;
  std::string replayFile;  // as given, bytes unchanged
  int round = 0;           // 0: the file's last round
  std::string lobby;       // "host[:port]" for this run instead of the one kept; empty: the kept one
  std::string language;    // "ja" or "en" for this run instead of the one kept; empty: the kept one
  std::string problem;     // for Action::bad: what was wrong, one line
};

CommandLine readCommandLine(int argc, const char* const* argv);

// Why no window can be shown, in one line without its end, or empty: neither
// DISPLAY nor WAYLAND_DISPLAY names a display and QT_QPA_PLATFORM names no
// platform of its own (offscreen runs anywhere). `env` reads a variable of
// the environment (null when it is not set).
std::string missingDisplayProblem(const std::function<const char*(const char*)>& env);

// The usage lines, ending in a newline.
std::string usageText();
// What --help prints: the usage, what each option does, where the files are.
std::string helpText();
// What --version prints: "glamora 1.0".
std::string versionText();

}  // namespace glamora
