// The three result files are read here rather than through the record layer: a fault in one
// of them is what simcheck looks for, so it must come back as a refusal naming the line, not
// end the run with the layer's diagnostic.
#include <charconv>
#include <cmath>
#include <string_view>
#include <fstream>
#include <string>

#include "common/formats/chromosome_file.hpp"
#include "simcheck/line_reader.hpp"
#include "simcheck/simulation.hpp"

namespace simcheck {
namespace {

// The field of `width` columns from column `first` (1-based); columns past the end of the
// line are blank, as the files' writers leave them.
std::string_view field(const std::string& line, std::size_t first, std::size_t width) {
  if (first - 1 >= line.size()) return {};
  return std::string_view(line).substr(first - 1, width);
}

std::string_view trimmed(std::string_view text) {
  const std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return text.substr(b, text.find_last_not_of(' ') + 1 - b);
}

// An integer field: blanks around an optional sign and digits; a blank field is 0, as the
// suite's readers take it.
bool integer_field(std::string_view text, std::int32_t& value) {
  text = trimmed(text);
  value = 0;
  if (text.empty()) return true;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool real_field(std::string_view text, double& value) {
  text = trimmed(text);
  value = 0;
  if (text.empty()) return true;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// genodrop's limits: its pedigree table, and one column per locus of the chromosome file.
constexpr int max_individuals = 5000, max_loci = formats::max_chromosome_loci;

}  // namespace

outcome::Outcome read_genotypes(const std::string& path, Genotypes& g) {
  LineReader f(path, genotype_line, "genotype file");
  if (!f.in) return outcome::stop("cannot read the genotype file " + path);
  std::int32_t n = 0, l = 0;
  if (!f.next()) return f.ended(f.path + " line 1: no count of individuals and loci in columns 1-10");
  if (!integer_field(field(f.line, 1, 5), n) || !integer_field(field(f.line, 6, 5), l))
    return outcome::stop(f.path + " line 1: no count of individuals and loci in columns 1-10");
  if (n < 0 || n > max_individuals || l < 0 || l > max_loci)
    return outcome::stop(f.path + " line 1: " + std::to_string(n) + " individuals and " + std::to_string(l) +
                         " loci; the suite's limits are " + std::to_string(max_individuals) + " and " +
                         std::to_string(max_loci));
  g.individuals = n;
  g.loci = l;
  if (!f.next()) return f.ended(f.path + ": the file ends before the names line");
  g.names.clear();
  for (int j = 0; j < l; ++j) {
    std::string name(field(f.line, 12 * j + 1, 12));
    name.resize(12, ' ');
    g.names.push_back(name);
  }
  g.alleles.assign(static_cast<std::size_t>(n) * l * 2, 0);
  for (int i = 0; i < n; ++i) {
    if (!f.next()) return f.ended(f.path + ": the file ends after " + std::to_string(i) + " of " +
                                  std::to_string(n) + " genotype lines");
    for (int j = 0; j < l; ++j)
      for (int s = 0; s < 2; ++s) {
        std::int32_t a = 0;
        if (!integer_field(field(f.line, 12 * j + 7 + 3 * s, 3), a))
          return outcome::stop(f.where() + ": the " + (s == 0 ? "paternal" : "maternal") + " allele of locus " +
                               std::to_string(j + 1) + " is not a number");
        g.alleles[(static_cast<std::size_t>(i) * l + j) * 2 + s] = a;
      }
  }
  return std::nullopt;
}

outcome::Outcome read_trace(const std::string& path, const std::string& genotype_file, int n, int l, Trace& t) {
  LineReader f(path, trace_line, "trace file");
  if (!f.in) return outcome::stop("cannot read the trace file " + path);
  // genodrop writes its trace under one name in the folder it runs in, whatever the genotype
  // file is called: a trace of another run is the likely cause of any other count.
  const std::string other = "the trace file " + path + " does not belong to the genotype file " + genotype_file + ": ";
  const std::string advice = "; genodrop writes gntp.wrk_tmp in the folder it runs in, whatever the genotype file "
                             "is called: name the trace of this genotype file with --trace";
  t.loci = l;
  t.deviates.assign(static_cast<std::size_t>(n) * l * 2, 0.0);
  t.alleles.assign(static_cast<std::size_t>(n) * l * 2, 0);
  t.ids.assign(n, std::string());
  for (int i = 0; i < n; ++i)
    for (int line = 0; line < 4; ++line) {
      if (!f.next())
        return f.ended(other + "it ends at record " + std::to_string(i + 1) + ", the genotype file holds " +
                       std::to_string(n) + " individuals" + advice);
      const int side = line / 2;
      if (line % 2 == 0) {
        // Alleles at 28 on, six columns a locus: as many as the genotype file has loci.
        const std::size_t end = f.line.find_last_not_of(' ') + 1;
        const long fields = end <= 27 ? 0 : static_cast<long>((end - 27 + 5) / 6);
        if (fields != l)
          return outcome::stop(other + "line " + std::to_string(f.number) + " holds alleles of " +
                               std::to_string(fields) + " loci, the genotype file " + std::to_string(l) + advice);
        if (line == 0) {
          t.ids[i] = std::string(field(f.line, 16, 12));
          t.ids[i].resize(12, ' ');
        }
        for (int j = 0; j < l; ++j) {
          std::int32_t a = 0;
          if (!integer_field(field(f.line, 28 + 6 * j, 6), a))
            return outcome::stop(f.where() + ": the allele of locus " + std::to_string(j + 1) + " is not a number");
          t.alleles[(static_cast<std::size_t>(i) * l + j) * 2 + side] = a;
        }
        continue;
      }
      for (int j = 0; j < l; ++j) {
        double u = 0;
        if (!real_field(field(f.line, 28 + 6 * j, 6), u) || u < 0 || u > 1)
          return outcome::stop(f.where() + ": the deviate of locus " + std::to_string(j + 1) +
                               " is not a number between 0 and 1");
        t.deviates[(static_cast<std::size_t>(i) * l + j) * 2 + side] = u;
      }
    }
  if (f.next() && !trimmed(f.line).empty())
    return outcome::stop(other + "it goes on after the " + std::to_string(n) + " individuals of the genotype file" +
                         advice);
  if (f.too_long) return f.ended("");
  t.present = true;
  return std::nullopt;
}

outcome::Outcome read_phenotypes(const std::string& path, Phenotypes& p) {
  LineReader f(path, phenotype_line, "phenotype file");
  if (!f.in) return outcome::stop("cannot read the phenotype file " + path);
  std::int32_t n = 0;
  const std::string no_count = f.path + " line 1: no count of individuals (0 to 5000) in columns 1-5";
  if (!f.next()) return f.ended(no_count);
  if (!integer_field(field(f.line, 1, 5), n) || n < 0 || n > max_individuals) return outcome::stop(no_count);
  p.values.assign(n, 0.0);
  for (int i = 0; i < n; ++i) {
    if (!f.next()) return f.ended(f.path + ": the file ends after " + std::to_string(i) + " of " +
                                  std::to_string(n) + " phenotypes");
    if (!real_field(field(f.line, 1, 9), p.values[i]))
      return outcome::stop(f.where() + ": the phenotype in columns 1-9 is not a number" +
                           (f.line.find('*') != std::string::npos ? " (traitsim writes asterisks for a value too wide for its field)" : ""));
  }
  p.present = true;
  return std::nullopt;
}

}  // namespace simcheck
