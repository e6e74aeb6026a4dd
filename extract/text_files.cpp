#include "text_files.hpp"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace extract {

bool read_file(const std::string& name, std::string& text) {
  std::FILE* in = std::fopen(name.c_str(), "rb");
  if (in == nullptr) return false;
  text.clear();
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
  bool ok = !std::ferror(in);
  std::fclose(in);
  return ok;
}

bool write_file(const std::string& name, std::string_view text) {
  std::FILE* out = std::fopen(name.c_str(), "wb");
  if (out == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  // fclose reports a full disk that the buffered fwrite did not see.
  ok = std::fclose(out) == 0 && ok;
  return ok;
}

bool same_file(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ea, eb;
  if (fs::exists(a, ea) && fs::exists(b, eb)) return fs::equivalent(a, b, ea) && !ea;
  fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
  fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
  if (ea || eb) return a == b;
  return pa == pb;
}

}  // namespace extract
