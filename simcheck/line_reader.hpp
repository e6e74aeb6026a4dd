// Reading a file line by line with a cap on a line's length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "common/outcome/outcome.hpp"

namespace simcheck {

// The lines of a file, each read only up to the longest line its format holds: a longer one
// (a binary file, /dev/zero) stops the reading, and `ended` then says so. The files are read
// by count or to their end, and only plain files to their end, so that nothing is read without
// end.
struct LineReader {
  LineReader(const std::string& file, std::size_t longest, const char* what)
      : in(file, std::ios::binary), path(file), cap(longest), kind(what) {}
  std::ifstream in;
  std::string path;
  std::size_t cap = 0;
  const char* kind = "";  // "genotype file": what the message on a long line calls the file
  std::string line;
  std::int64_t number = 0;
  bool too_long = false;
  bool next() {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    int c = std::char_traits<char>::eof();
    // One character more than the cap: room for a Windows line end's carriage return.
    while ((c = buffer->sbumpc()) != std::char_traits<char>::eof() && c != '\n') {
      if (line.size() > cap) {
        ++number;
        too_long = true;
        return false;
      }
      line.push_back(static_cast<char>(c));
    }
    if (c == std::char_traits<char>::eof() && line.empty()) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++number;
    if (line.size() > cap) {
      too_long = true;
      return false;
    }
    return true;
  }
  std::string where() const { return path + " line " + std::to_string(number); }
  // The refusal when next() failed: `text` at the end of the file, else the long line's.
  outcome::Outcome ended(const std::string& text) const {
    if (!too_long) return outcome::stop(text);
    return outcome::stop(where() + ": longer than " + std::to_string(cap) + " characters, the longest line a " + kind +
                         " holds: is it one?");
  }
};

}  // namespace simcheck
