// Whole-file reading and piecewise writing for extract.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace extract {

// Reads the whole file `name` into `text`. Returns false when it cannot be opened or read.
bool read_file(const std::string& name, std::string& text);

// An output file written in pieces. Every failure (open, write, close on a full disk) is
// remembered and reported by close().
class OutputFile {
 public:
  // Creates or replaces the file `name`. Returns false when it cannot be opened.
  bool open(const std::string& name);
  void write(std::string_view piece);
  // Closes the file. Returns false when any write or the close failed.
  bool close();
  ~OutputFile();

 private:
  std::FILE* file_ = nullptr;
  bool ok_ = true;
};

// True when the names `a` and `b` lead to the same file, whether or not it exists yet
// ("mark.wrk" and "./mark.wrk", or a link and its target).
bool same_file(const std::string& a, const std::string& b);

}  // namespace extract
