// Writing a SOLAR file: buffered, with the two number layouts the converters use, and with the
// safeguards that keep a failed run from destroying data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace freeform {

// True when `name` names an existing file that is the very file open as `input`: emptying it
// for output would destroy the input before it is read.
bool same_file(const char* name, std::FILE* input);

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
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

  // Writes what is buffered and closes the file. Returns false when anything could not be
  // written (a full disk, say).
  bool close();
  // Closes the file and, when it is a plain file, removes it, so that an incomplete output
  // never stays behind looking finished.
  void discard();

 private:
  void flush();

  std::FILE* file_ = nullptr;
  const char* name_ = nullptr;
  bool failed_ = false;
  std::size_t used_ = 0;
  char buffer_[1 << 16];
};

}  // namespace freeform
