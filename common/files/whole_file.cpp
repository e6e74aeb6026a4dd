#include "common/files/whole_file.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace files {

bool read_file(const std::string& name, std::string& text) {
  std::FILE* in = std::fopen(name.c_str(), "rb");
  if (in == nullptr) return false;
  text.clear();
  // A folder opens, and reports a size that no allocation can meet; it cannot be read.
  struct stat status{};
  if (fstat(fileno(in), &status) != 0 || S_ISDIR(status.st_mode)) {
    std::fclose(in);
    return false;
  }
  // One allocation for a regular file; pipes and the like grow as they are read.
  if (S_ISREG(status.st_mode) && std::fseek(in, 0, SEEK_END) == 0) {
    const long size = std::ftell(in);
    if (size > 0) text.reserve(static_cast<std::size_t>(size));
    std::rewind(in);
  }
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
  const bool ok = !std::ferror(in);
  std::fclose(in);
  return ok;
}

void remove_output(const std::string& name) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(name, ec)) std::filesystem::remove(name, ec);
}

bool write_file(const std::string& name, const std::string& text, int* error) {
  std::FILE* out = std::fopen(name.c_str(), "wb");
  if (out == nullptr) {
    if (error != nullptr) *error = errno;
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  int reason = written ? 0 : errno;
  // fclose reports a full disk that the buffered fwrite did not see.
  if (std::fclose(out) == 0 && written) return true;
  if (reason == 0) reason = errno;
  remove_output(name);
  if (error != nullptr) *error = reason;
  return false;
}

}  // namespace files
