#include "common/records/file_name.hpp"

namespace records {

std::optional<FileName> file_name(std::string_view argument) {
  if (argument.size() > FileName{}.chars.size()) return std::nullopt;
  return FileName(argument);
}

std::string long_file_name(int position) {
  return "the file name given as argument " + std::to_string(position) +
         " is longer than 255 characters";
}

}  // namespace records
