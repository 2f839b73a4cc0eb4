// glamora-sim [SCRIPT]: runs a script (or standard input) and writes JSON lines.
// glamora-sim --bench: plays the fixed computer games and prints the rules signature.
#include <fstream>
#include <iostream>
#include <string_view>

#include "bench.h"
#include "match.h"
#include "sim_driver.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--bench") {
    std::cout << glamora::sim::benchLine(glamora::sim::runBench()) << "\n";
    return 0;
  }
  if (argc > 1 && std::string_view(argv[1]).starts_with("--")) {
    const int status = glamora::sim::runMatchCommand(argc, argv, std::cout, std::cerr);
    if (status >= 0) return status;
  }
  if (argc > 2) {
    std::cerr << "usage: glamora-sim [SCRIPT]\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  glamora::sim::SimDriver driver(std::cout);
  if (argc == 2) {
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
      std::cerr << "glamora-sim: cannot read " << argv[1] << "\n";
      return 2;
    }
    return driver.run(script, std::cerr);
  }
  return driver.run(std::cin, std::cerr);
}
