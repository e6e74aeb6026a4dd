// The genotype file, read with extract's reader, so that simcheck takes exactly what extract
// takes and refuses it in the same words. Only the bytes are fetched here: a line longer than
// the inputs' loci allow stops the fetching with simcheck's own message, and a file that is
// not a plain file is read no further than the lines the inputs expect.
#include <filesystem>
#include <string>

#include "common/files/whole_file.hpp"
#include "extract/genotype_file.hpp"
#include "simcheck/line_reader.hpp"
#include "simcheck/simulation.hpp"

namespace simcheck {
namespace {

// The line (from 1) of `text` longer than `longest` characters, a carriage return before the
// line end not counted; 0 when there is none.
std::int64_t long_line(std::string_view text, std::size_t longest) {
  std::int64_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    ++number;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    if (length > longest) return number;
    start = end + 1;
  }
  return 0;
}

// The text of `path`: a plain file whole, in one read; anything else line by line, no further
// than the lines the inputs expect (and two more, to tell that it holds more). A line longer
// than the inputs' loci allow is refused in the same words either way.
outcome::Outcome fetch(const std::string& path, std::int32_t individuals, std::int32_t loci, std::string& text) {
  const std::size_t longest = longest_genotype_line(loci);
  LineReader f(path, longest, "genotype file");
  if (!f.in) return outcome::stop("cannot read the genotype file " + path);
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error) && files::read_file(path, text)) {
    f.number = long_line(text, longest);
    f.too_long = f.number != 0;
  } else {
    const std::int64_t most = static_cast<std::int64_t>(individuals) + 4;
    while (f.number < most && f.next()) {
      text += f.line;
      text += '\n';
    }
  }
  if (f.too_long) return f.ended("");
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_genotypes(const std::string& path, std::int32_t individuals, std::int32_t loci,
                                Genotypes& genotypes) {
  std::string text;
  if (auto problem = fetch(path, individuals, loci, text)) return problem;
  extract::GenotypeFile file;
  if (auto problem = extract::parse_genotype_file(path, text, file)) return problem;
  genotypes.individuals = file.individuals;
  genotypes.loci = file.loci;
  genotypes.names.clear();
  for (std::int32_t j = 0; j < file.loci; ++j)
    genotypes.names.push_back(file.names.substr(extract::cell_width * static_cast<std::size_t>(j), extract::cell_width));
  genotypes.alleles.assign(static_cast<std::size_t>(file.individuals) * static_cast<std::size_t>(file.loci) * 2, 0);
  std::size_t cell = 0;
  for (const std::string_view row : file.rows)
    for (std::int32_t j = 0; j < file.loci; ++j)
      for (int side = 0; side < 2; ++side) genotypes.alleles[cell++] = extract::allele_at(row, j, side);
  return std::nullopt;
}

}  // namespace simcheck
