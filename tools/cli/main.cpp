#include <unistd.h>

#include <iostream>

#include "tools/cli/Subcommand.h"

int main(int argc, char** argv) {
  CliStreams io{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
  return RunCli(std::vector<std::string>(argv + 1, argv + argc), io);
}
