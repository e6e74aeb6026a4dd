#include "tests/fuzz/scratch.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "tests/fuzz/refusal.hpp"

namespace fuzz {
namespace {

// Never freed: the exit handler that removes the folder runs after static destructors.
const std::string& folder() {
  static const std::string* path = [] {
    std::error_code error;
    const char* base = std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
                           ? "/dev/shm"
                           : "/tmp";
    auto* made = new std::string(std::string(base) + "/pedsim-fuzz-XXXXXX");
    expect(::mkdtemp(made->data()) != nullptr, "cannot make a scratch folder");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder(), ignored);
    });
    return made;
  }();
  return *path;
}

}  // namespace

std::string scratch_path(std::string_view name) { return folder() + "/" + std::string(name); }

std::string write_scratch(std::string_view name, std::string_view content) {
  const std::string path = scratch_path(name);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  expect(f != nullptr, "cannot write a scratch file");
  // An empty view may have no data pointer at all, which fwrite must not be given.
  const bool written = content.empty() || std::fwrite(content.data(), 1, content.size(), f) == content.size();
  expect(std::fclose(f) == 0 && written, "cannot write a scratch file");
  return path;
}

TwoFiles split_two(std::string_view data) {
  if (data.starts_with("%%\n")) return {{}, data.substr(3)};
  const std::size_t at = data.find("\n%%\n");
  if (at == std::string_view::npos) return {data, {}};
  return {data.substr(0, at + 1), data.substr(at + 4)};
}

}  // namespace fuzz
