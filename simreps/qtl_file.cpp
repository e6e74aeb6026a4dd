#include "simreps/qtl_file.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>


namespace simreps {
namespace {

constexpr std::size_t cell_width = 12;  // columns of one locus
constexpr long most_loci = 99999;       // what the header's 5 columns hold

struct Part {
  long individuals = 0, loci = 0;
  std::vector<std::string> lines;  // the names line, then one per individual
};

outcome::Outcome read_part(const std::string& name, Part& part) {
  std::ifstream in(name);
  std::string line;
  if (!in || !std::getline(in, line) || line.size() < 10) return outcome::stop("cannot read the header of " + name);
  try {
    part.individuals = std::stol(line.substr(0, 5));
    part.loci = std::stol(line.substr(5, 5));
  } catch (const std::exception&) {
    return outcome::stop("cannot read the header of " + name);
  }
  if (part.individuals < 0 || part.loci < 0) return outcome::stop("cannot read the header of " + name);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line.resize(cell_width * static_cast<std::size_t>(part.loci), ' ');
    part.lines.push_back(line);
  }
  if (part.lines.size() != static_cast<std::size_t>(part.individuals) + 1)
    return outcome::stop(name + " does not hold a names line and " + std::to_string(part.individuals) +
                         " genotype lines");
  return std::nullopt;
}

}  // namespace

outcome::Outcome merge_qtl_files(const std::vector<std::string>& parts, const std::string& merged) {
  std::vector<Part> read(parts.size());
  long loci = 0;
  for (std::size_t p = 0; p < parts.size(); ++p) {
    if (auto problem = read_part(parts[p], read[p])) return problem;
    if (read[p].individuals != read[0].individuals)
      return outcome::stop(parts[p] + " and " + parts[0] + " hold different numbers of individuals");
    loci += read[p].loci;
  }
  if (parts.empty() || loci > most_loci)
    return outcome::stop("the chromosome files hold " + std::to_string(loci) + " trait loci, too many for one "
                         "QTL genotype file");
  char header[48];
  std::snprintf(header, sizeof header, "%5ld%5ld\n", read[0].individuals, loci);
  std::string text = header;
  // As extract writes them: the names line whole, the genotype lines without trailing blanks.
  for (std::size_t l = 0; l < read[0].lines.size(); ++l) {
    const std::size_t start = text.size();
    for (const Part& part : read) text += part.lines[l];
    if (l > 0)
      while (text.size() > start && text.back() == ' ') text.pop_back();
    text += '\n';
  }
  std::ofstream out(merged, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) return outcome::stop("cannot write " + merged);
  return std::nullopt;
}

}  // namespace simreps
