#include "simreps/outdir.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "simreps/completion.hpp"
#include "simreps/durable.hpp"

namespace fs = std::filesystem;

namespace simreps {
namespace {

std::string host_name() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "host";
  return name;
}

bool all_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The number of a folder named rep<digits>, or -1.
std::int64_t number_of(const std::string& name) {
  if (name.size() < 4 || name.compare(0, 3, "rep") != 0 || !all_digits(name.substr(3)) ||
      name.size() > 21)
    return -1;
  return std::stoll(name.substr(3));
}

}  // namespace

std::string replicate_name(std::int64_t replicate, int width) {
  char name[40];
  std::snprintf(name, sizeof name, "rep%0*lld", width, static_cast<long long>(replicate));
  return name;
}

std::string partial_name(std::int64_t replicate, int width) {
  std::string name = ".";
  name += replicate_name(replicate, width);
  name += ".partial.";
  name += host_name();
  name += ".";
  name += std::to_string(::getpid());
  return name;
}

Found find_replicates() {
  Found found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    const std::int64_t r = number_of(name);
    if (r < 1 || !entry.is_directory(error)) continue;
    found.folders[r] = name;
    found.width = std::max(found.width, static_cast<int>(name.size()) - 3);
  }
  return found;
}

outcome::Outcome widen(const Found& found, int width) {
  for (const auto& [r, name] : found.folders) {
    const std::string wide = replicate_name(r, width);
    if (wide == name) continue;
    std::error_code error;
    fs::rename(name, wide, error);
    if (error && !fs::exists(wide)) {
      return outcome::stop("cannot rename " + name + " to " + wide + ": " + error.message());
    }
  }
  return std::nullopt;
}

void remove_partials(std::int64_t first, std::int64_t last) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    const auto dot = name.find('.', 1);
    if (name.size() < 2 || name[0] != '.' || dot == std::string::npos ||
        name.compare(dot, 9, ".partial.") != 0)
      continue;
    const std::int64_t r = number_of(name.substr(1, dot - 1));
    if (r >= first && r <= last) fs::remove_all(entry.path(), error);
  }
}

outcome::Outcome write_manifest() {
  const Found found = find_replicates();
  std::string text = manifest_header;
  for (const auto& [r, name] : found.folders) {
    if (check_complete(name, false)) continue;
    std::ifstream in(name + "/" + row_file);
    std::string header, row;
    if (std::getline(in, header) && std::getline(in, row)) text += row + '\n';
  }
  return write_durably(".", manifest_file, text);
}

outcome::Outcome Lock::take(Lock& lock) {
  // O_RDONLY serves when the file is another user's: flock needs no right to write.
  int fd = ::open(lock_file, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  const int created = errno;
  if (fd < 0) fd = ::open(lock_file, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT && ::access(".", W_OK) != 0) return std::nullopt;
    return outcome::stop(std::string("cannot open the lock ") + lock_file + ": " + std::strerror(created));
  }
  int locked;
  while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (locked != 0) {
    const std::string why = std::strerror(errno);
    ::close(fd);
    return outcome::stop(std::string("cannot take the lock ") + lock_file + ": " + why);
  }
  lock.fd_ = fd;
  return std::nullopt;
}

Lock::~Lock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace simreps
