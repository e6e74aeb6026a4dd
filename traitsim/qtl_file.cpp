#include "traitsim/qtl_file.hpp"

#include "traitsim/model.hpp"

namespace traitsim {
namespace {

constexpr int qtl_unit = 11;

std::string at_line(std::string_view name, std::int32_t line) {
  return " in " + std::string(name) + ", line " + std::to_string(line);
}

std::string at_line(const QtlFile& qtl) { return at_line(qtl.name, qtl.line); }

}  // namespace

bool allele_fits(const Locides& locides, std::int32_t b, std::int32_t allele) {
  return locides.nmatches[b] == 0 || (allele >= 1 && allele <= max_alleles);
}

std::string allele_outside(const Locides& locides, std::int32_t b, std::int32_t allele, std::string_view name,
                           std::int32_t line) {
  return "allele " + std::to_string(allele) + " outside 1.." + std::to_string(max_alleles) + " at locus " +
         std::string(locides.qtl_names[b].trimmed()) + at_line(name, line);
}

QtlFile open_qtl_file(std::string_view name) {
  QtlFile qtl;
  qtl.file = &records::open(qtl_unit, name, records::Mode::read);
  qtl.name = std::string(name);
  return qtl;
}

outcome::Outcome read_qtl_header(QtlFile& qtl, Locides& locides, Genotypes& genotypes, std::int32_t most) {
  {
    records::Reader reader(*qtl.file, "(2i5)");
    reader(genotypes.n);
    reader(locides.nqtl);
    reader.end();
  }
  qtl.line = 1;
  if (locides.nqtl > locides.nloci) return outcome::stop("nloci.ne.nloci --- traitsim");
  // With the model at most max_model_loci loci, only the negative counts and too many
  // individuals are left to refuse.
  if (locides.nqtl < 0)
    return outcome::stop("negative number of loci" + at_line(qtl) + ": " +
                         std::to_string(locides.nqtl));
  if (genotypes.n < 0)
    return outcome::stop("negative number of individuals" + at_line(qtl) + ": " +
                         std::to_string(genotypes.n));
  if (genotypes.n > most)
    return outcome::stop("too many individuals" + at_line(qtl) + ": " +
                         std::to_string(genotypes.n) + ", at most " +
                         std::to_string(most));
  static_assert(max_qtl_loci >= max_model_loci, "every model locus must fit the QTL tables");
  genotypes.phenotypes.assign(static_cast<std::size_t>(genotypes.n), 0.0f);
  return std::nullopt;
}

void read_qtl_names(QtlFile& qtl, Locides& locides) {
  {
    records::Reader reader(*qtl.file, "(1000a12)");
    for (std::int32_t b = 0; b < locides.nqtl; ++b) reader(locides.qtl_names[b]);
    reader.end();
  }
  qtl.line = 2;
  match_loci(locides);
}

outcome::Outcome read_genotype_line(QtlFile& qtl, const Locides& locides, Genotypes& genotypes) {
  std::int32_t first_bad = -1, bad_allele = 0;
  {
    records::Reader reader(*qtl.file, "(1000(6x,2i3))");
    for (std::int32_t b = 0; b < locides.nqtl; ++b) {
      for (int i = 0; i < 2; ++i) {
        std::int32_t allele = 0;
        reader(allele);
        if (!allele_fits(locides, b, allele) && first_bad < 0) {
          first_bad = b;
          bad_allele = allele;
        }
        // Only matched alleles are ever used, and those are in 1..max_alleles here.
        genotypes.alleles[b][i] = static_cast<std::int8_t>(allele);
      }
    }
    reader.end();
  }
  ++qtl.line;
  if (first_bad >= 0) return outcome::stop(allele_outside(locides, first_bad, bad_allele, qtl.name, qtl.line));
  return std::nullopt;
}

void close_qtl_file(QtlFile& qtl) {
  records::close(*qtl.file);
  qtl.file = nullptr;
}

}  // namespace traitsim
