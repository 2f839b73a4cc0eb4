// glamora-sim's own command line: --help, --version and the usage lines that
// every bad command line ends with.
#pragma once

#include <ostream>

namespace glamora::sim {

// The usage lines, one per form of the command line.
const char* usageText();

// --help or --version as the only argument: prints to `out` and returns 0;
// otherwise -1.
int runInfoCommand(int argc, char** argv, std::ostream& out);

// A command line that no form takes, starting with `option`: what is wrong
// and the usage on `err`, status 2.
int badOptions(const char* option, std::ostream& err);

}  // namespace glamora::sim
