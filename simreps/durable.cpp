#include "simreps/durable.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace simreps {
namespace {

std::string reason() { return std::strerror(errno); }

// The benchmark's build without flushes (simreps-no-flush) measures what the flushes cost;
// simreps itself always flushes.
#ifdef SIMREPS_NO_FLUSH
int flush_file(int) { return 0; }
int flush_file_system(int) { return 0; }
void start_flush(int) {}
#else
int flush_file(int fd) { return ::fsync(fd); }
int flush_file_system(int fd) { return ::syncfs(fd); }
// A hint: where the file system cannot, the later flush does all the work.
void start_flush(int fd) { ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE); }
#endif

// Writes all of `text` to `fd`; returns the system's reason when it cannot.
std::string write_all(int fd, std::string_view text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? reason() : "nothing written";
    done += static_cast<std::size_t>(n);
  }
  return {};
}

// Calls `flush` on a descriptor of `path` opened read-only (folders included).
template <typename Flush>
outcome::Outcome with_descriptor(const std::string& path, const char* what, Flush flush) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return outcome::stop("cannot open " + path + " to flush it: " + reason());
  const int result = flush(fd);
  const std::string why = result != 0 ? reason() : std::string();
  ::close(fd);
  if (result != 0) return outcome::stop(std::string("cannot flush ") + what + path + " to the disk: " + why);
  return std::nullopt;
}

}  // namespace

outcome::Outcome sync_file_system(const std::string& folder) {
  return with_descriptor(folder, "the file system of ", flush_file_system);
}

outcome::Outcome sync_folder(const std::string& folder) {
  return with_descriptor(folder, "", flush_file);
}

outcome::Outcome write_and_start_flush(const std::string& path, const std::string& text) {
  StreamedFile file;
  if (auto failed = file.open(path)) return failed;
  file.write(text);
  return file.finish();
}

StreamedFile::~StreamedFile() {
  if (fd_ < 0) return;
  ::close(fd_);
  std::remove(path_.c_str());
}

outcome::Outcome StreamedFile::open(const std::string& path) {
  path_ = path;
  why_.clear();
  sum_ = ChecksumStream{};
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) return outcome::stop("cannot write " + path + ": " + reason());
  return std::nullopt;
}

void StreamedFile::write(std::string_view piece) {
  if (!why_.empty()) return;
  why_ = write_all(fd_, piece);
  sum_.add(piece);
}

outcome::Outcome StreamedFile::finish() {
  if (why_.empty()) start_flush(fd_);
  if (::close(fd_) != 0 && why_.empty()) why_ = reason();
  fd_ = -1;
  if (why_.empty()) return std::nullopt;
  std::remove(path_.c_str());
  return outcome::stop("cannot write " + path_ + ": " + why_);
}

outcome::Outcome write_durably(const std::string& folder, const std::string& name, const std::string& text) {
  const std::string path = folder + "/" + name;
  const std::string partial = path + ".partial";
  const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return outcome::stop("cannot write " + partial + ": " + reason());
  if (std::string why = write_all(fd, text); !why.empty()) {
    ::close(fd);
    std::remove(partial.c_str());
    return outcome::stop("cannot write " + partial + ": " + why);
  }
  const bool synced = flush_file(fd) == 0;
  std::string why = synced ? std::string() : reason();
  if (::close(fd) != 0 && synced) why = reason();
  if (!why.empty()) {
    std::remove(partial.c_str());
    return outcome::stop("cannot write " + partial + ": " + why);
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    const std::string why = reason();
    std::remove(partial.c_str());
    return outcome::stop("cannot rename " + partial + " to " + path + ": " + why);
  }
  return sync_folder(folder);
}

}  // namespace simreps
