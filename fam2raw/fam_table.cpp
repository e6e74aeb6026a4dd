#include "fam2raw/fam_table.hpp"

#include <unordered_map>

namespace fam2raw {

namespace {

std::vector<std::string_view> columns(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

std::string where(const std::string& name, long line) {
  return "fam2raw: " + name + ", line " + std::to_string(line) + ": ";
}

// Family and id joined by a character that no white-space separated column can hold.
std::string key(std::string_view family, std::string_view id) {
  std::string k(family);
  k += '\n';
  k += id;
  return k;
}

}  // namespace

FamTable read_fam_table(std::string_view text, const std::string& name, const Options& options) {
  FamTable table;
  std::unordered_map<std::string, long> seen;  // family and id -> line
  long line = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view whole = text.substr(pos, end - pos);
    pos = end + 1;
    ++line;
    const std::vector<std::string_view> cols = columns(whole);
    if (cols.empty() || cols[0].front() == '#') continue;
    const std::string at = where(name, line);
    if (cols.size() < 5) {
      table.error = at + "found " + std::to_string(cols.size()) +
                    " column(s); a line needs family, id, father, mother and sex";
      return table;
    }
    FamRow row;
    row.line = line;
    row.family = cols[0];
    row.id = cols[1];
    row.father = cols[2];
    row.mother = cols[3];
    if (row.id == "0") {
      table.error = at + "the id of an individual cannot be 0 (0 means a missing parent)";
      return table;
    }
    if (cols[4] == "1" || cols[4] == "2" || cols[4] == "0") {
      row.sex = cols[4][0] - '0';
    } else {
      table.error = at + "individual " + row.id + " of family " + row.family + " has sex code " +
                    std::string(cols[4]) + "; the codes are 1 (male), 2 (female), 0 (unknown)";
      return table;
    }
    if (row.founder()) {
      row.population = options.population;
      if (options.population_column > 0) {
        const auto c = static_cast<std::size_t>(options.population_column);
        const std::string_view value = c <= cols.size() ? cols[c - 1] : std::string_view();
        if (value != "1" && value != "2") {
          table.error = at + "founder " + row.id + " of family " + row.family + " has " +
                        (value.empty() ? std::string("no population") :
                                         "population " + std::string(value)) +
                        " in column " + std::to_string(c) + "; a founder's population is 1 or 2";
          return table;
        }
        row.population = value[0] - '0';
      }
    }
    const auto [it, fresh] = seen.emplace(key(row.family, row.id), line);
    if (!fresh) {
      table.error = at + "individual " + row.id + " of family " + row.family +
                    " is listed twice (also on line " + std::to_string(it->second) + ")";
      return table;
    }
    if (table.rows.size() == max_rows) {
      table.error = at + "more than " + std::to_string(max_rows) +
                    " individuals; famorder numbers at most that many";
      return table;
    }
    table.rows.push_back(std::move(row));
  }
  if (table.rows.empty()) table.error = "fam2raw: " + name + ": no individual in the file";
  return table;
}

}  // namespace fam2raw
