#include "common/files/output_file.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace files {

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::open(const char* name) {
  file_ = std::fopen(name, "w");
  name_ = name;
  failed_ = false;
  error_ = 0;
  used_ = 0;
  return file_ != nullptr;
}

// The first failure's reason is the one a user can act on; later ones follow from it.
void OutputFile::failed() {
  if (!failed_) error_ = errno;
  failed_ = true;
}

void OutputFile::flush() {
  if (used_ > 0 && (file_ == nullptr || std::fwrite(buffer_, 1, used_, file_) != used_))
    failed();
  used_ = 0;
}

void OutputFile::text(std::string_view s) {
  // A piece larger than the buffer goes out in one call rather than in buffer-sized copies.
  if (s.size() >= sizeof buffer_) {
    flush();
    if (file_ == nullptr || std::fwrite(s.data(), 1, s.size(), file_) != s.size()) failed();
    return;
  }
  while (!s.empty()) {
    if (used_ == sizeof buffer_) flush();
    const std::size_t n = std::min(s.size(), sizeof buffer_ - used_);
    std::memcpy(buffer_ + used_, s.data(), n);
    used_ += n;
    s.remove_prefix(n);
  }
}

void OutputFile::integer(std::int32_t value) {
  char digits[16];
  const auto r = std::to_chars(digits, digits + sizeof digits, value);
  text({digits, static_cast<std::size_t>(r.ptr - digits)});
}

void OutputFile::fixed6(float value) {
  // A float has at most 39 digits before the point: 48 characters always suffice.
  char digits[64];
  const int n = std::snprintf(digits, sizeof digits, "%f", static_cast<double>(value));
  text({digits, static_cast<std::size_t>(n)});
}

bool OutputFile::close() {
  if (file_ == nullptr) return false;
  flush();
  // fclose reports a full disk that the buffered writes did not see.
  if (std::fclose(file_) != 0) failed();
  file_ = nullptr;
  return !failed_;
}

void OutputFile::discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  struct stat st {};
  if (name_ != nullptr && ::stat(name_, &st) == 0 && S_ISREG(st.st_mode)) std::remove(name_);
}

}  // namespace files
