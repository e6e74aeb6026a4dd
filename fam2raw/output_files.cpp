#include "fam2raw/output_files.hpp"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fam2raw {

std::string raw_pedigree_text(const std::vector<RawRecord>& records) {
  // famorder and xp-fam read at most 98 characters of a line, so the descriptive line stays
  // short and names no file.
  std::string text = "Raw pedigree from fam2raw. Columns: id father mother population sex\n";
  text += std::to_string(records.size()) + " individuals\n";
  char line[96];
  for (const RawRecord& r : records) {
    std::snprintf(line, sizeof line, "%7d %7d %7d %2d %2d\n", r.id, r.father, r.mother, r.race,
                  r.sex);
    text += line;
  }
  return text;
}

std::string id_map_text(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records) {
  std::string text = "family\tid\tsuite_id\n";
  for (std::size_t k = 0; k < rows.size(); ++k)
    text += rows[k].family + '\t' + rows[k].id + '\t' + std::to_string(records[k].id) + '\n';
  return text;
}

bool read_file(const std::string& name, std::string& text) {
  std::FILE* in = std::fopen(name.c_str(), "rb");
  if (in == nullptr) return false;
  text.clear();
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
  // A folder opens, and fails only at the first read.
  const bool ok = !std::ferror(in);
  std::fclose(in);
  return ok;
}

void remove_output(const std::string& name) {
  // Only a file of our own making goes: an output named /dev/full must survive a full disk.
  std::error_code ec;
  if (std::filesystem::is_regular_file(name, ec)) std::filesystem::remove(name, ec);
}

bool write_file(const std::string& name, const std::string& text) {
  std::FILE* out = std::fopen(name.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  // fclose reports a full disk that the buffered fwrite did not see.
  if (std::fclose(out) == 0 && written) return true;
  remove_output(name);
  return false;
}

bool same_file(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ea, eb;
  if (fs::exists(a, ea) && fs::exists(b, eb)) return fs::equivalent(a, b, ea) && !ea;
  const fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
  if (ea || eb) return a == b;
  return pa == pb;
}

}  // namespace fam2raw
