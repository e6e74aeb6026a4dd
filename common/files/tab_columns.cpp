#include "common/files/tab_columns.hpp"

namespace files {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<std::string_view> tab_columns(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    out.push_back(trim(line.substr(start, tab == std::string_view::npos ? tab : tab - start)));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

}  // namespace files
