#include "common/records/file_name.hpp"

#include <string>

namespace records {

outcome::Outcome take_file_name(std::string_view argument, int position, FileName& name) {
  if (argument.size() > FileName{}.chars.size())
    return outcome::stop("the file name given as argument " + std::to_string(position) +
                         " is longer than 255 characters");
  name = FileName(argument);
  return std::nullopt;
}

outcome::Outcome take_file_names(int argc, const char* const* argv, std::initializer_list<FileName*> names) {
  int position = 1;
  for (FileName* name : names) {
    if (position >= argc) break;
    if (outcome::Outcome refused = take_file_name(argv[position], position, *name)) return refused;
    ++position;
  }
  return std::nullopt;
}

}  // namespace records
