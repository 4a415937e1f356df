// Kelvorin - desktop workbench for vibrational calculations.
#include "app/batch.hpp"
#include "ui/desktop.hpp"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool batch = false;
  for (const auto& a : args) {
    if (a == "--") break;
    if (a == "--batch") batch = true;
  }
  // "kelvorin --version" and "kelvorin --help" answer on the terminal, as batch mode does.
  if (args.size() == 1 && (args[0] == "--version" || args[0] == "--help")) batch = true;
  if (!batch) return kel::ui::runDesktop(argc, argv);
  kel::BatchOptions options;
  kel::parseBatch(args, options);
  return kel::runBatch(options, std::cout, std::cerr, kel::ui::batchHooks());
}
