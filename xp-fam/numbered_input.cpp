#include "xp-fam/numbered_input.hpp"

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace xpfam {
namespace {

// The line's fields, or nothing when one of them is not a plain decimal integer.
std::vector<long long> integers(const std::string& line) {
  std::istringstream fields(line);
  std::vector<long long> values;
  std::string field;
  while (fields >> field) {
    std::size_t used = 0;
    try {
      values.push_back(std::stoll(field, &used));
    } catch (const std::exception&) {
      return {};
    }
    if (used != field.size()) return {};
  }
  return values;
}

}  // namespace

bool looks_numbered(const std::string& infile) {
  // A pipe cannot be read twice: the lines looked at here would be lost to the conversion.
  struct stat file{};
  if (stat(infile.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return false;
  std::ifstream in(infile, std::ios::binary);
  std::string first, second;
  if (!std::getline(in, first) || !std::getline(in, second)) return false;
  const auto header = integers(first);
  return header.size() == 2 && header[1] == 2 && integers(second).size() == 7;
}

}  // namespace xpfam
