// An anonymous temporary file holding a given text, rewound for reading.
#pragma once

#include <cstdio>
#include <string>

struct TempFile {
  std::FILE* file;
  explicit TempFile(const std::string& text) : file(std::tmpfile()) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
  }
  ~TempFile() { std::fclose(file); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
};
