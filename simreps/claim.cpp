#include "simreps/claim.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace simreps {

std::string claim_name(std::int64_t replicate) { return ".claim." + std::to_string(replicate); }

Claim::~Claim() { release(); }

Claim::Claim(Claim&& other) noexcept : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

Claim& Claim::operator=(Claim&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

outcome::Outcome Claim::take(std::int64_t replicate, bool wait, Claim& claim) {
  claim.release();
  const std::string path = claim_name(replicate);
  for (;;) {
    // Close on exec: a program the replicate runs must not carry the lock past its run.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return outcome::stop("cannot make the claim " + path + ": " + std::strerror(errno));
    int locked;
    while ((locked = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return std::nullopt;
      return outcome::stop("cannot lock the claim " + path + ": " + std::strerror(error));
    }
    // The holder before us removes the file as it lets go; a lock on a file that is no longer
    // under the name claims nothing, so try again on the name.
    struct stat held, named;
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      claim.fd_ = fd;
      claim.path_ = path;
      return std::nullopt;
    }
    ::close(fd);
  }
}

void remove_lost_claims() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(".claim.", 0) != 0) continue;
    const std::string number = name.substr(7);
    if (number.empty() || number.size() > 18 || number.find_first_not_of("0123456789") != std::string::npos) continue;
    Claim lost;
    if (!Claim::take(std::stoll(number), false, lost)) lost.release();
  }
}

void Claim::release() {
  if (fd_ < 0) return;
  // Removed before the lock goes, so that whoever locks the file next sees it gone and retries.
  ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
}

}  // namespace simreps
