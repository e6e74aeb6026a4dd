#include "map2chrom/marker_checks.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace map2chrom {

namespace {

// The field names SOLAR gives a meaning of its own (the README's "SOLAR field names"), and
// the column names of the suite's SOLAR files.
constexpr std::array<std::string_view, 14> reserved = {
    "ID", "EGO", "FA", "MO", "SEX", "FAMID", "PROBND", "MZTWIN",
    "HHID", "AGE", "GEN", "PEDNO", "IBDID", "QT"};

std::string at(const std::string& name, long line) {
  return "map2chrom: " + outcome::at_line(name, line);
}

std::string number(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

// `where` names the file and line that gave the frequencies `f` of marker `m`.
outcome::Outcome check_frequencies(const std::vector<double>& f, const Marker& m, int population,
                                   const std::string& where) {
  if (f.size() > max_alleles)
    return outcome::stop(where + m.name + " has " + std::to_string(f.size()) +
                         " alleles; the chromosome file holds at most " +
                         std::to_string(max_alleles));
  double sum = 0;
  for (double v : f) sum += v;
  if (std::fabs(sum - 1) > sum_tolerance) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", sum);
    return outcome::stop(where + "the frequencies of " + m.name + " in population " +
                         std::to_string(population) + " sum to " + text + ", not 1 (within " +
                         number(sum_tolerance) + ")");
  }
  return std::nullopt;
}

// A position is written with two decimals in eight columns.
bool position_fits(double position) {
  char text[64];
  return std::snprintf(text, sizeof text, "%.2f", position) <= 8;
}

}  // namespace

bool reserved_field_name(std::string_view name) {
  for (std::string_view r : reserved) {
    if (r.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < r.size() && same; ++i) {
      char c = name[i];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      same = c == r[i];
    }
    if (same) return true;
  }
  return false;
}

namespace {

// A marker name fits SOLAR's marker file: short enough, printable, without a comma, and not
// one of the field names SOLAR reads as its own.
outcome::Outcome check_name(const Marker& m, const std::string& where) {
  if (m.name.size() > max_name_chars)
    return outcome::stop(where + "the name " + m.name + " has " + std::to_string(m.name.size()) +
                         " characters; SOLAR's marker file takes at most " +
                         std::to_string(max_name_chars));
  for (char c : m.name) {
    if (c <= ' ' || c > '~' || c == ',')
      return outcome::stop(where + "the name " + m.name +
                           " holds a character other than a printable one, or a comma");
  }
  if (reserved_field_name(m.name))
    return outcome::stop(where + "the name " + m.name +
                         " is a SOLAR field name; give the marker another name");
  return std::nullopt;
}

// Gives marker `k` of `name` the population-2 frequencies of the same marker in the second
// table `table2` (read from `name2`), which must list the same markers at the same positions.
outcome::Outcome take_population2(Marker& m, std::size_t k, const std::string& name,
                                  const std::vector<Marker>& table2, const std::string& name2,
                                  const std::string& where) {
  if (!m.population2.empty())
    return outcome::stop(where + m.name + " has population-2 frequencies both after | and in " +
                         name2);
  if (k >= table2.size())
    return outcome::stop("map2chrom: " + name2 + ": it ends before marker " + m.name + " of " +
                         name + ", line " + std::to_string(m.line));
  const Marker& m2 = table2[k];
  if (m2.name != m.name || m2.position != m.position || !m2.population2.empty())
    return outcome::stop(
        at(name2, m2.line) + "expected " + m.name + " at " + number(m.position) +
        " cM with the frequencies of population 2 (line " + std::to_string(m.line) + " of " +
        name + "), found " + m2.name + " at " + number(m2.position) + " cM" +
        (m2.population2.empty() ? "" : " and a | column"));
  m.population2 = m2.population1;
  return std::nullopt;
}

}  // namespace

outcome::Outcome check_markers(std::vector<Marker>& table, const std::string& name,
                               const std::vector<Marker>* table2, const std::string& name2) {
  if (table.empty()) return outcome::stop("map2chrom: " + name + ": no marker in the file");
  std::unordered_map<std::string, long> seen;
  for (std::size_t k = 0; k < table.size(); ++k) {
    Marker& m = table[k];
    const std::string where = at(name, m.line);
    if (k == max_loci)
      return outcome::stop(where + "more than " + std::to_string(max_loci) +
                           " markers; genodrop and xp-loci hold at most that many");
    if (auto e = check_name(m, where)) return e;
    const auto [it, fresh] = seen.emplace(m.name, m.line);
    if (!fresh)
      return outcome::stop(where + "the name " + m.name + " is used twice (also on line " +
                           std::to_string(it->second) + ")");
    if (!position_fits(m.position))
      return outcome::stop(where + "the position of " + m.name + " (" + number(m.position) +
                           ") does not fit the chromosome file's 8 columns with 2 decimals");
    if (k > 0 && m.position < table[k - 1].position)
      return outcome::stop(where + m.name + " at " + number(m.position) + " cM comes after " +
                           table[k - 1].name + " at " + number(table[k - 1].position) +
                           " cM; positions must not decrease");
    if (auto e = check_frequencies(m.population1, m, 1, where)) return e;
    if (table2 != nullptr) {
      if (auto e = take_population2(m, k, name, *table2, name2, where)) return e;
    }
    if (m.population2.empty()) m.population2 = m.population1;
    const std::string where2 = table2 != nullptr ? at(name2, (*table2)[k].line) : where;
    if (m.population2.size() != m.population1.size())
      return outcome::stop(where2 + m.name + " has " + std::to_string(m.population1.size()) +
                           " allele(s) in population 1 but " +
                           std::to_string(m.population2.size()) + " in population 2");
    if (auto e = check_frequencies(m.population2, m, 2, where2)) return e;
  }
  if (table2 != nullptr && table2->size() > table.size())
    return outcome::stop(at(name2, (*table2)[table.size()].line) + "marker " +
                         (*table2)[table.size()].name + " is not in " + name);
  return std::nullopt;
}

std::vector<std::string> trait_case_warnings(const std::vector<Marker>& table,
                                             const std::string& name) {
  std::vector<std::string> warnings;
  for (const Marker& m : table) {
    if (m.name.find("qtl") != std::string::npos) continue;
    std::string lower = m.name;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower.find("qtl") == std::string::npos) continue;
    warnings.push_back(at(name, m.line) + m.name +
                       " is taken as a marker: trait loci are recognised by a lower-case"
                       " \"qtl\" in their names");
  }
  return warnings;
}

}  // namespace map2chrom
