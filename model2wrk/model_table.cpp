#include "model2wrk/model_table.hpp"

#include <charconv>
#include <cmath>
#include <map>

#include "common/files/tab_columns.hpp"
#include "common/files/text_lines.hpp"

namespace model2wrk {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number (sign, digits, point, digits; no exponent) with at most
// value_decimals decimals that are not zero, within the model file's 9 columns. Returns the
// reason it is not one, or "" with the value in `value`.
std::string read_value(std::string_view text, double& value) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t body = i;
  std::size_t digits = 0, decimals = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (std::size_t at = i; i < text.size() && is_digit(text[i]); ++i, ++digits)
      if (text[i] != '0') decimals = i - at + 1;
  }
  if (digits == 0 || i != text.size()) return "is not a plain decimal number";
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data() + body, text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return "is not a plain decimal number";
  v = text[0] == '-' ? -v : v;
  if (decimals > static_cast<std::size_t>(value_decimals))
    return "has more than 3 decimals, which the model file's columns do not hold; round it";
  if (v < smallest_value || v > largest_value)
    return "does not fit the model file's 9 columns (-9999.999 to 99999.999)";
  value = v;
  return {};
}

struct Problems {
  const std::string& table;
  std::vector<std::string> listed;
  std::size_t count = 0;
  // Line 0: the table as a whole.
  void add(int line, const std::string& what) {
    if (count++ < max_listed)
      listed.push_back((line > 0 ? outcome::at_line(table, line) : table + ": ") + what);
  }
};

void read_locus(const std::vector<std::string_view>& fields, int line, Problems& problems, ModelTable& table,
                std::map<std::string, int>& seen) {
  TraitLocus locus;
  locus.line = line;
  locus.name = std::string(fields[0]);
  bool ok = true;
  if (locus.name.size() > name_columns || locus.name.find(' ') != std::string::npos) {
    problems.add(line, "the locus name \"" + locus.name + "\" is not one item of at most 12 characters, "
                       "as the chromosome file names it");
    ok = false;
  } else if (const auto [at, fresh] = seen.emplace(locus.name, line); !fresh) {
    problems.add(line, "the locus " + locus.name + " stands twice (line " + std::to_string(at->second) + ")");
    ok = false;
  }
  const std::string_view count = fields.size() > 1 ? fields[1] : std::string_view();
  const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), locus.alleles);
  if (count.empty() || ec != std::errc() || end != count.data() + count.size() || locus.alleles < 1 ||
      locus.alleles > traitsim::max_alleles) {
    problems.add(line, "the number of alleles of " + locus.name + " is \"" + std::string(count) +
                           "\": give a whole number from 1 to 10");
    return;
  }
  const std::size_t want = static_cast<std::size_t>(locus.alleles * locus.alleles);
  if (fields.size() - 2 != want) {
    problems.add(line, locus.name + " has " + std::to_string(locus.alleles) + " alleles, so " +
                           std::to_string(want) + " genotypic values, but the line gives " +
                           std::to_string(fields.size() - 2));
    return;
  }
  for (std::size_t v = 0; v < want; ++v) {
    double value = 0;
    if (const std::string why = read_value(fields[v + 2], value); !why.empty()) {
      problems.add(line, "the value \"" + std::string(fields[v + 2]) + "\" " + why);
      ok = false;
    }
    locus.values.push_back(value);
  }
  if (ok) table.loci.push_back(std::move(locus));
}

}  // namespace

outcome::Outcome read_model_table(std::string_view text, const std::string& name, ModelTable& table,
                                  std::vector<std::string>& warnings) {
  text = files::without_byte_order_mark(text);
  Problems problems{name, {}, 0};
  std::map<std::string, int> seen;
  int sigma_line = 0;
  int line = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view raw = text.substr(start, end - start);
    start = end + 1;
    ++line;
    const std::vector<std::string_view> fields = files::tab_columns(raw);
    if (fields.empty() || fields[0].empty() || fields[0][0] == '#') continue;
    if (fields[0] == "sigma") {
      double value = 0;
      if (sigma_line != 0)
        problems.add(line, "sigma is given twice (line " + std::to_string(sigma_line) + ")");
      else if (fields.size() != 2)
        problems.add(line, "give sigma as one value: sigma<TAB>VALUE");
      else if (const std::string why = read_value(fields[1], value); !why.empty())
        problems.add(line, "sigma \"" + std::string(fields[1]) + "\" " + why);
      sigma_line = line;
      table.sigma = value;
      continue;
    }
    read_locus(fields, line, problems, table, seen);
  }
  if (seen.size() > static_cast<std::size_t>(traitsim::max_model_loci))
    problems.add(0, std::to_string(seen.size()) + " trait loci; the model holds at most 100");
  if (sigma_line == 0)
    problems.add(0, "no sigma line: give the environmental standard deviation as sigma<TAB>VALUE");
  for (const TraitLocus& locus : table.loci)
    if (locus.name.find("qtl") == std::string::npos)
      warnings.push_back(outcome::at_line(name, locus.line) + locus.name +
                         " holds no \"qtl\": only loci whose names hold \"qtl\" are trait loci, so "
                         "traitsim will match nothing to it");
  if (problems.count == 0) return std::nullopt;
  std::string refusal = "model2wrk: " + name + ": " + std::to_string(problems.count) +
                        (problems.count == 1 ? " problem" : " problems");
  for (const std::string& listed : problems.listed) refusal += "\n  " + listed;
  if (problems.count > problems.listed.size())
    refusal += "\n  and " + std::to_string(problems.count - problems.listed.size()) + " more";
  return outcome::stop(refusal);
}

}  // namespace model2wrk
