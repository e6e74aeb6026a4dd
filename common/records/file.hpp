// A file open in the record layer, and the registry of all of them. Internal to the layer.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/records/fields.hpp"
#include "common/records/layout.hpp"
#include "common/records/records.hpp"

namespace records {

// Longest line the layer reads or writes. Lines of the suite are at most a few thousand
// columns; a longer one (a binary file given by mistake, say) ends the run with a
// diagnostic instead of taking all memory.
inline constexpr std::size_t max_line = std::size_t{1} << 24;

class File {
 public:
  File(int unit, std::string name, Mode mode, int fd)
      : unit_(unit), name_(std::move(name)), mode_(mode), fd_(fd) {}
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  int unit() const { return unit_; }
  const std::string& name() const { return name_; }
  Mode mode() const { return mode_; }

  // The parsed form of `text`, parsed on first use and kept for the following reads and
  // writes; it also becomes the layout the diagnostic names. Never fails: a malformed layout
  // comes back with valid == false.
  std::shared_ptr<const Layout> layout(std::string_view text);
  std::string_view last_layout() const { return last_ ? std::string_view(last_->text) : ""; }

  // Reading. Makes the next line of the file current and returns true, or returns false at
  // the end of the file. Ends the run with the diagnostic when the file cannot be read or a
  // line is longer than max_line.
  bool next_line();
  std::string_view line() const { return line_; }

  // The line a fault concerns, counted from 1: for reading the current line (or, at the end
  // of the file, the one that is missing), for writing the line being built.
  long line_number() const { return line_number_; }

  // Writing. A Writer builds its line in place, behind the lines already queued, so that no
  // byte is copied twice; the queue goes to the file when it is large and at close. A line
  // that is never ended (its Writer met a fault) is never written.
  //
  // The `width` columns of the line being built from column `column` (from 0), for the caller
  // to fill, every one of them; columns skipped before them are blank. The pointer is valid
  // until the next call on this file.
  char* line_columns(std::size_t column, std::size_t width) {
    const std::size_t begin = queued_ + column, end = begin + width;
    if (end > out_capacity_) grow(end);
    if (begin > out_size_) blanks(out_.get() + out_size_, begin - out_size_);
    if (end > out_size_) out_size_ = end;
    return out_.get() + begin;
  }
  // Ends the line being built and queues it. Ends the run with the diagnostic when the queue
  // is due to go out and the file cannot be written.
  void end_line();
  // The columns of the line being built so far.
  std::size_t line_length() const { return out_size_ - queued_; }
  // Forgets a line begun and never ended.
  void drop_line() { out_size_ = queued_; }

  // Writes out the queued lines. Returns false (with errno set) when the file cannot be
  // written.
  bool flush();
  // Writes out the first `bytes` (at most the queued ones) of the queue.
  bool flush(std::size_t bytes);
  // Flushes and closes the descriptor. Returns false when either fails.
  bool close_descriptor();

 private:
  struct CachedLayout {
    std::string text;
    std::shared_ptr<const Layout> layout;
  };

  int unit_;
  std::string name_;
  Mode mode_;
  int fd_;
  std::vector<std::shared_ptr<const CachedLayout>> layouts_;
  std::shared_ptr<const CachedLayout> last_;

  std::vector<char> in_;  // bytes read from the file and not yet taken into a line
  std::size_t in_begin_ = 0, in_end_ = 0;
  bool in_eof_ = false;
  std::string line_;

  void grow(std::size_t size);
  // The queued lines, then the line being built. Not a std::string: a field is written once,
  // not blanked first.
  std::unique_ptr<char[]> out_;
  std::size_t out_size_ = 0, out_capacity_ = 0;
  std::size_t queued_ = 0;  // bytes of out_ that hold whole lines
  long line_number_ = 1;
  bool line_taken_ = false;  // reading: whether line_number_ names a line already read
};

// Every file opened and not yet closed, in the order opened.
std::vector<std::unique_ptr<File>>& open_files();

// The name of every file opened for writing since the last time none was open, each once,
// whether closed since or not: the outputs written together, which a failed write removes
// (genodrop's genotype file goes with its trace).
std::vector<std::string>& written_files();

}  // namespace records
