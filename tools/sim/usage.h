// glamora-sim's own command line: --help, --version and the usage lines that
// every bad command line ends with.
#pragma once

#include <ostream>
#include <string>

namespace glamora::sim {

// The usage lines, one per form of the command line.
const char* usageText();

// --help or --version as the only argument: prints to `out` and returns 0;
// otherwise -1.
int runInfoCommand(int argc, char** argv, std::ostream& out);

// A command line that no form takes, starting with `option`: what is wrong
// and the usage on `err`, status 2.
int badOptions(const char* option, std::ostream& err);

// "easy, normal, hard, random": the computer levels the command line takes.
std::string levelChoices();

// A value that an option cannot take, in one line: "NAME: 'VALUE' is not
// ALLOWED", the value as typed with its unseen characters escaped.
std::string wrongValue(const std::string& name, const std::string& value, const std::string& allowed);

}  // namespace glamora::sim
