#include "fam2raw/fam_table.hpp"

#include <unordered_map>

#include "common/files/text_lines.hpp"

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

// Family and id joined by a character that no white-space separated column can hold.
std::string key(std::string_view family, std::string_view id) {
  std::string k(family);
  k += '\n';
  k += id;
  return k;
}

// A founder's population: the one of the options, or the one in its population column when
// the options name one; a value there other than 1 or 2 is reported and read as 1.
void set_population(const std::vector<std::string_view>& cols, const Options& options,
                    const std::string& at, FamRow& row, Problems& problems) {
  row.population = options.population;
  if (options.population_column <= 0) return;
  const auto c = static_cast<std::size_t>(options.population_column);
  const std::string_view value = c <= cols.size() ? cols[c - 1] : std::string_view();
  if (value != "1" && value != "2") {
    problems.add(
        row.line,
        at + "founder " + row.id + " of family " + row.family + " has " +
            (value.empty() ? std::string("no population") : "population " + std::string(value)) +
            " in column " + std::to_string(c) + "; a founder's population is 1 or 2");
    row.population = 1;
  } else {
    row.population = value[0] - '0';
  }
}

}  // namespace

void read_fam_table(std::string_view text, const std::string& name, const Options& options,
                    FamTable& table, Problems& problems) {
  table.rows.clear();
  std::unordered_map<std::string, long> seen;  // family and id -> line
  bool full = false;
  auto take = [&](long line, const std::vector<std::string_view>& cols) -> outcome::Outcome {
    const std::string at = where(name, line);
    auto problem = [&](std::string text) -> outcome::Outcome {
      problems.add(line, at + text);
      return std::nullopt;
    };
    if (cols.size() < 5) {
      return problem("found " + std::to_string(cols.size()) +
                     " column(s); a line needs family, id, father, mother and sex");
    }
    FamRow row;
    row.line = line;
    row.family = cols[0];
    row.id = cols[1];
    row.father = cols[2];
    row.mother = cols[3];
    if (row.id == "0") {
      return problem("the id of an individual cannot be 0 (0 means a missing parent)");
    }
    if (cols[4] == "1" || cols[4] == "2" || cols[4] == "0") {
      row.sex = cols[4][0] - '0';
    } else {
      problems.add(line, at + "individual " + row.id + " of family " + row.family +
                             " has sex code " + std::string(cols[4]) +
                             "; the codes are 1 (male), 2 (female), 0 (unknown)");
    }
    if (row.founder()) set_population(cols, options, at, row, problems);
    const auto [it, fresh] = seen.emplace(key(row.family, row.id), line);
    if (!fresh) {
      return problem("individual " + row.id + " of family " + row.family +
                     " is listed twice (also on line " + std::to_string(it->second) + ")");
    }
    if (table.rows.size() == max_rows) {
      // Said once; the lines after it are still checked.
      if (!full)
        problems.add(line, at + "more than " + std::to_string(max_rows) +
                               " individuals; famorder numbers at most that many");
      full = true;
      return std::nullopt;
    }
    table.rows.push_back(std::move(row));
    return std::nullopt;
  };
  files::for_each_row(text, columns, take);
  if (table.rows.empty() && problems.empty())
    problems.add(0, "fam2raw: " + name + ": no individual in the file");
}

}  // namespace fam2raw
