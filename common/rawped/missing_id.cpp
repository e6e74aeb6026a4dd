#include "common/rawped/missing_id.hpp"

namespace rawped {

std::string name_twice_message(const std::string& file, std::int32_t name, long first_line,
                               long second_line) {
  std::string text = file + " lines " + std::to_string(first_line) + " and " +
                     std::to_string(second_line) + ": both individuals would be named " +
                     std::to_string(name) +
                     " in the SOLAR files, which refuse a name that stands twice";
  // Only a negative name can be one that the user never wrote.
  if (name < 0) text += " (individuals without a raw id are named -1, -2, ... in file order)";
  return text + "\n";
}

}  // namespace rawped
