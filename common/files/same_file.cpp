#include "common/files/same_file.hpp"

#include <sys/stat.h>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace files {

namespace {

bool same_identity(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool is_open_file(const char* output, std::FILE* input) {
  struct stat out {};
  struct stat in {};
  if (::stat(output, &out) != 0 || ::fstat(::fileno(input), &in) != 0) return false;
  return same_identity(out, in);
}

bool same_file(const char* a, const char* b) {
  struct stat sa {};
  struct stat sb {};
  if (::stat(a, &sa) == 0 && ::stat(b, &sb) == 0) return same_identity(sa, sb);
  namespace fs = std::filesystem;
  std::error_code ea, eb;
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
  if (ea || eb) return std::string_view(a) == std::string_view(b);
  return pa == pb;
}

std::string replaced_input_warning(std::string_view program, const std::string& output,
                                   std::initializer_list<std::string> inputs) {
  for (const std::string& input : inputs) {
    // A missing input is refused by the program, and has nothing to lose.
    std::error_code error;
    if (!std::filesystem::exists(input, error) || !same_file(output.c_str(), input.c_str()))
      continue;
    std::string line(program);
    line.append(": the output file ").append(output).append(" is the input file ").append(input);
    line.append(", which is being replaced");
    return line;
  }
  return {};
}

}  // namespace files
