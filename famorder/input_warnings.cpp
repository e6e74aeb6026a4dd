#include "famorder/input_warnings.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <vector>

#include "common/rawped/number.hpp"

namespace famorder {
namespace {

// A file full of such mistakes would otherwise bury the console; the first few show the pattern.
constexpr int shown = 5;

void warn(const std::string& text) { std::fprintf(stderr, "famorder: %s\n", text.c_str()); }

void warn_rest(int count, const char* what) {
  if (count > shown)
    warn(std::string("more ") + what + " not shown: " + std::to_string(count - shown));
}

std::string at(const std::string& infile, std::int32_t line) {
  return infile + ", line " + std::to_string(line) + ": ";
}

}  // namespace

void warn_unknown_parents(const PedTable& table, const std::string& infile) {
  std::vector<std::int32_t> ids;
  ids.reserve(table.oldped.size());
  for (const auto& r : table.oldped)
    if (r.id != 0) ids.push_back(r.id);
  std::sort(ids.begin(), ids.end());
  auto known = [&](std::int32_t v) { return std::binary_search(ids.begin(), ids.end(), v); };

  int count = 0;
  for (std::size_t i = 0; i < table.oldped.size(); ++i) {
    const auto& r = table.oldped[i];
    for (const auto& [parent, role] : {std::pair{r.nfat, "father"}, std::pair{r.nmat, "mother"}}) {
      if (parent == 0 || known(parent)) continue;
      if (++count > shown) continue;
      const std::string who =
          r.id != 0 ? "individual " + std::to_string(r.id) : "the individual without an id";
      warn(at(infile, table.line[i]) + role + " " + std::to_string(parent) + " of " + who +
           " is the id of no record in the file");
    }
  }
  warn_rest(count, "parent ids of no record");
}

void warn_leading_zeros(const PedTable& table, const std::string& infile) {
  // A pipe cannot be read twice, and waiting on one could hang the run.
  struct stat file{};
  if (stat(infile.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return;
  std::vector<std::int32_t> lines(table.line.begin(), table.line.end());
  std::sort(lines.begin(), lines.end());
  std::ifstream in(infile, std::ios::binary);
  std::string text;
  int count = 0;
  for (std::int32_t number = 1; !lines.empty() && number <= lines.back() && std::getline(in, text);
       ++number) {
    if (!std::binary_search(lines.begin(), lines.end(), number)) continue;
    // The five numeric fields come first on a record line; the label may hold anything.
    std::size_t p = 0;
    for (int field = 0; field < 5; ++field) {
      while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
      const std::size_t start = p;
      while (p < text.size() && !std::isspace(static_cast<unsigned char>(text[p]))) ++p;
      const std::string token = text.substr(start, p - start);
      const std::size_t digits = !token.empty() && (token[0] == '-' || token[0] == '+') ? 1 : 0;
      if (token.size() < digits + 2 || token[digits] != '0' ||
          !std::isdigit(static_cast<unsigned char>(token[digits + 1])))
        continue;
      const char* s = token.c_str();
      std::int32_t value = 0;
      rawped::scan_int(s, value);
      // 007 means 7 either way; only a number that octal changes is worth a word.
      if (*s == '\0' && std::to_string(value) == std::to_string(std::stoll(token))) continue;
      if (++count > shown) continue;
      std::string reading = "read in octal as " + std::to_string(value);
      if (*s != '\0') reading += ", then \"" + std::string(s) + "\" as the next field";
      warn(at(infile, number) + token + " begins with 0, so it is " + reading);
    }
  }
  warn_rest(count, "numbers with a leading zero");
}

}  // namespace famorder
