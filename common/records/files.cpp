#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/records/diagnostic.hpp"
#include "common/records/file.hpp"

namespace records {
namespace {

constexpr std::size_t read_chunk = 64 * 1024;
constexpr std::size_t write_chunk = 64 * 1024;
// A program uses a handful of layouts per file; a caller that builds a new one for every
// record must not make the cache grow without end.
constexpr std::size_t max_cached_layouts = 32;

std::string reason_with_errno(std::string_view reason, int error) {
  std::string text(reason);
  if (error != 0) text.append(" (").append(std::strerror(error)).append(")");
  return text;
}

}  // namespace

std::vector<std::unique_ptr<File>>& open_files() {
  static std::vector<std::unique_ptr<File>> files;
  return files;
}

std::vector<std::string>& written_files() {
  static std::vector<std::string> names;
  return names;
}

std::shared_ptr<const Layout> File::layout(std::string_view text) {
  for (const auto& cached : layouts_) {
    if (cached->text == text) {
      last_ = cached;
      return cached->layout;
    }
  }
  if (layouts_.size() >= max_cached_layouts) layouts_.erase(layouts_.begin());
  auto cached = std::make_shared<CachedLayout>();
  cached->text = std::string(text);
  cached->layout = std::make_shared<const Layout>(parse_layout(text));
  layouts_.push_back(cached);
  last_ = std::move(cached);
  return last_->layout;
}

bool File::next_line() {
  if (mode_ != Mode::read) fail(*this, reason_with_errno("can't read file", EBADF));
  if (line_taken_) ++line_number_;
  line_taken_ = false;
  line_.clear();
  bool any = false;
  for (;;) {
    if (in_begin_ < in_end_) {
      any = true;
      const char* begin = in_.data() + in_begin_;
      const char* newline =
          static_cast<const char*>(std::memchr(begin, '\n', in_end_ - in_begin_));
      std::size_t take = newline ? static_cast<std::size_t>(newline - begin) : in_end_ - in_begin_;
      if (line_.size() + take > max_line) fail(*this, line_too_long);
      line_.append(begin, take);
      in_begin_ += take;
      if (newline) {
        ++in_begin_;
        break;
      }
    }
    if (in_eof_) {
      if (!any) return false;
      break;
    }
    if (in_.size() < read_chunk) in_.resize(read_chunk);
    ssize_t got;
    do {
      got = ::read(fd_, in_.data(), in_.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) fail(*this, reason_with_errno("can't read file", errno));
    in_begin_ = 0;
    in_end_ = static_cast<std::size_t>(got);
    if (got == 0) in_eof_ = true;
  }
  // Files edited on other systems end their lines with a carriage return as well; it is not
  // part of the record.
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  line_taken_ = true;
  return true;
}

void File::grow(std::size_t size) {
  std::size_t capacity = std::max({size, 2 * out_capacity_, write_chunk + 4096});
  std::unique_ptr<char[]> bigger(new char[capacity]);
  if (out_size_ > 0) std::memcpy(bigger.get(), out_.get(), out_size_);
  out_ = std::move(bigger);
  out_capacity_ = capacity;
}

void File::end_line() {
  if (out_size_ == out_capacity_) grow(out_size_ + 1);
  out_[out_size_++] = '\n';
  queued_ = out_size_;
  ++line_number_;
  if (queued_ >= write_chunk && !flush(queued_ - queued_ % write_chunk)) write_fault(*this, errno);
}

bool File::flush() {
  return flush(queued_);
}

// Whatever follows the bytes written (the rest of the queue, a line being built) moves to the
// front. The file grows by whole chunks while a run writes, so that no write fills a page of
// the file that an earlier write left part-filled.
bool File::flush(std::size_t bytes) {
  std::size_t done = 0;
  bool ok = true;
  int error = 0;
  while (done < bytes) {
    ssize_t n = ::write(fd_, out_.get() + done, bytes - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (done > 0) std::memmove(out_.get(), out_.get() + done, out_size_ - done);
  out_size_ -= done;
  queued_ -= done;
  if (!ok) errno = error;
  return ok;
}

bool File::close_descriptor() {
  bool ok = mode_ == Mode::read || flush();
  int error = errno;
  if (::close(fd_) != 0 && ok) {
    ok = false;
    error = errno;
  }
  errno = error;
  return ok;
}

File& open(int unit, std::string_view name, Mode mode) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string path(name);
  int fd;
  if (mode == Mode::read) {
    do {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno == ENOENT) {
      // A missing input is created empty; the first read from it then reports the end of
      // the file. O_EXCL makes sure that an existing file is never emptied here.
      int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (created >= 0) {
        ::close(created);
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      }
    }
  } else {
    // Cutting the file at once gives the same result as cutting it at close, and an old tail
    // can never survive behind new lines, whatever ends the run.
    do {
      fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
  }
  // A full disk is a failed write, whichever call meets it first; any other refusal to open
  // (no such folder, no permission) is the diagnostic's.
  if (fd < 0 && mode == Mode::write && (errno == ENOSPC || errno == EDQUOT)) {
    write_fault("open", errno, unit, path, "");
  }
  if (fd < 0) {
    fail("open",
         reason_with_errno(mode == Mode::read ? "can't read file" : "can't write file", errno),
         unit, path, "", mode);
  }
  if (mode == Mode::write) {
    auto& written = written_files();
    if (std::find(written.begin(), written.end(), path) == written.end()) written.push_back(path);
  }
  auto& files = open_files();
  files.push_back(std::make_unique<File>(unit, std::move(path), mode, fd));
  return *files.back();
}

void close(File& file) {
  auto& files = open_files();
  auto it = std::find_if(files.begin(), files.end(), [&](const auto& f) { return f.get() == &file; });
  if (it == files.end()) return;
  std::unique_ptr<File> owned = std::move(*it);
  files.erase(it);
  if (!owned->close_descriptor()) {
    write_fault("close", errno, owned->unit(), owned->name(), owned->last_layout());
  }
  // The outputs written together are complete once the last of them is closed; a later
  // failed write (the next replicate's, in a program that writes many) must not take them.
  const auto writing = [](const auto& f) { return f->mode() == Mode::write; };
  if (std::none_of(files.begin(), files.end(), writing)) written_files().clear();
}

bool close_all() {
  auto& files = open_files();
  bool ok = true;
  while (!files.empty()) {
    std::unique_ptr<File> owned = std::move(files.back());
    files.pop_back();
    if (!owned->close_descriptor()) ok = false;
  }
  return ok;
}

}  // namespace records
