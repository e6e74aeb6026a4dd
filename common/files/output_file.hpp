// Writing an output file of the suite: buffered, with the two number layouts the SOLAR
// converters use, every failure remembered until close(), and discard() for the programs that
// must not leave an incomplete output behind looking finished.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace files {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Closes a file still open, without a word: every way out of a run that did not close()
  // or discard() is a way out that has already said what went wrong.
  ~OutputFile();

  // Opens `name` for writing, created or emptied. Returns false when it cannot be opened.
  bool open(const char* name);

  void text(std::string_view s);
  void character(char c) {
    if (used_ == sizeof buffer_) flush();
    buffer_[used_++] = c;
  }
  // An integer in decimal, with a minus sign when negative (layout "%i").
  void integer(std::int32_t value);
  // A real with six decimals, with a minus sign when negative (layout "%f").
  void fixed6(float value);

  // False once a write has failed (a full disk, say); buffered text may hide a failure until
  // close().
  bool ok() const { return !failed_; }
  // The system's reason for the first failure (an errno value), 0 when none was given.
  int error() const { return error_; }

  // Writes what is buffered and closes the file. Returns false when anything could not be
  // written, or when no file is open.
  bool close();
  // Closes the file and, when it is a plain file, removes it, so that an incomplete output
  // never stays behind looking finished. A device such as /dev/null is left alone.
  void discard();

 private:
  void flush();
  void failed();

  std::FILE* file_ = nullptr;
  const char* name_ = nullptr;
  bool failed_ = false;
  int error_ = 0;
  std::size_t used_ = 0;
  char buffer_[1 << 16];
};

}  // namespace files
