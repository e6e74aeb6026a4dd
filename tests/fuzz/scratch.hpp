// Files for the readers that take a file name: one folder per process, in memory where the
// machine has /dev/shm, removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Writes `content` to the file `name` in the process's scratch folder and returns its path.
std::string write_scratch(std::string_view name, std::string_view content);

// The path of `name` in the scratch folder, for outputs.
std::string scratch_path(std::string_view name);

// An input of two files: the text before the first line "%%" and the text after it (empty
// when there is no such line).
struct TwoFiles {
  std::string_view first, second;
};
TwoFiles split_two(std::string_view data);

inline std::string_view as_text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz
