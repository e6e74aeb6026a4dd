#include "simreps/completion.hpp"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace simreps {

std::string completion_text(const FileSums& files) {
  std::string text = "file\tbytes\tcksum\n";
  for (const auto& [name, sum] : files)
    text += name + '\t' + std::to_string(sum.bytes) + '\t' + std::to_string(sum.crc) + '\n';
  return text;
}

outcome::Outcome check_complete(const std::string& folder, bool sums) {
  std::ifstream in(folder + "/" + completion_file);
  if (!in) return outcome::stop(folder + " has no " + completion_file);
  std::string line;
  std::getline(in, line);
  if (line != "file\tbytes\tcksum") return outcome::stop(folder + "/" + completion_file + " is not a completion record");
  int listed = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    Checksum want;
    if (!std::getline(fields, name, '\t') || !(fields >> want.bytes >> want.crc) || name.empty() ||
        name.find('/') != std::string::npos)
      return outcome::stop(folder + "/" + completion_file + " is not a completion record");
    ++listed;
    const std::string path = folder + "/" + name;
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return outcome::stop(path + " is missing");
    if (static_cast<std::uint64_t>(status.st_size) != want.bytes)
      return outcome::stop(path + " has " + std::to_string(status.st_size) + " bytes, not " +
                           std::to_string(want.bytes));
    if (!sums) continue;
    const auto got = checksum_of(path);
    if (!got || got->crc != want.crc)
      return outcome::stop(path + " does not have the checksum " + std::to_string(want.crc));
  }
  if (listed == 0) return outcome::stop(folder + "/" + completion_file + " lists no file");
  return std::nullopt;
}

}  // namespace simreps
