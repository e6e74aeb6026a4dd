#include "common/command_line/leading_options.hpp"

namespace command_line {

int read_leading_options(int argc, char** argv,
                         const std::function<bool(std::string_view, std::string_view)>& take) {
  // Each option takes the argument after it: the walk goes two at a time.
  int i = 1;
  while (i < argc) {
    const std::string_view arg = argv[i];
    if (arg == "--") return i + 1;
    if (arg.size() < 2 || arg[0] != '-') break;
    if (i + 1 >= argc || !take(arg, argv[i + 1])) return -1;
    i += 2;
  }
  return i;
}

bool read_command_line(int argc, char** argv,
                       const std::function<bool(std::string_view, std::string_view)>& take,
                       std::initializer_list<std::string*> operands) {
  int i = read_leading_options(argc, argv, take);
  if (i < 0 || argc - i != static_cast<int>(operands.size())) return false;
  for (std::string* operand : operands) {
    *operand = argv[i++];
    if (operand->empty()) return false;
  }
  return true;
}

}  // namespace command_line
