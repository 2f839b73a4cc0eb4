// glamora-sim [SCRIPT]: runs a script (or standard input) and writes JSON lines.
// glamora-sim --bench: plays the fixed computer games and prints the rules signature.
// glamora-sim --records FILE...: the records of session files' finished rounds.
// glamora-sim --help lists every form.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "bench.h"
#include "match.h"
#include "net_commands.h"
#include "records_command.h"
#include "sim_driver.h"
#include "usage.h"

int main(int argc, char** argv) {
  if (const int info = glamora::sim::runInfoCommand(argc, argv, std::cout); info >= 0) return info;
  if (argc == 2 && std::string_view(argv[1]) == "--bench") {
    for (const std::string& line : glamora::sim::benchLines(glamora::playRulesSignature())) std::cout << line << "\n";
    return 0;
  }
  if (argc > 1 && std::string_view(argv[1]).starts_with("-")) {
    if (const int records = glamora::sim::runRecordsCommand(argc, argv, std::cout, std::cerr); records >= 0)
      return records;
    const int net = glamora::sim::runNetCommand(argc, argv, std::cout, std::cerr);
    if (net >= 0) return net;
    const int status = glamora::sim::runMatchCommand(argc, argv, std::cout, std::cerr);
    if (status >= 0) return status;
    return glamora::sim::badOptions(argv[1], std::cerr);
  }
  if (argc > 2) {
    std::cerr << glamora::sim::usageText();
    return 2;
  }
  // A closed standard output is found before a file is opened, which could
  // otherwise take its descriptor.
  if (fcntl(STDOUT_FILENO, F_GETFD) == -1) {
    std::cerr << "glamora-sim: cannot write output: " << std::strerror(errno) << "\n";
    return 1;
  }
  std::ios::sync_with_stdio(false);
  glamora::sim::SimDriver driver(std::cout);
  if (argc == 2) {
    errno = 0;
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
      std::cerr << "glamora-sim: cannot read " << argv[1] << ": " << std::strerror(errno ? errno : EIO) << "\n";
      return 1;
    }
    return driver.run(script, std::cerr, argv[1]);
  }
  return driver.run(std::cin, std::cerr);
}
