#include "text_files.hpp"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace extract {

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

bool OutputFile::open(const std::string& name) {
  file_ = std::fopen(name.c_str(), "wb");
  return file_ != nullptr;
}

void OutputFile::write(std::string_view piece) {
  if (file_ != nullptr && ok_ && std::fwrite(piece.data(), 1, piece.size(), file_) != piece.size())
    ok_ = false;
}

bool OutputFile::close() {
  if (file_ == nullptr) return false;
  // fclose reports a full disk that the buffered fwrite did not see.
  ok_ = std::fclose(file_) == 0 && ok_;
  file_ = nullptr;
  return ok_;
}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool same_file(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ea, eb;
  if (fs::exists(a, ea) && fs::exists(b, eb)) return fs::equivalent(a, b, ea) && !ea;
  fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
  fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
  if (ea || eb) return a == b;
  return pa == pb;
}

}  // namespace extract
