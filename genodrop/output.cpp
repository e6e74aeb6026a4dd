#include "genodrop/output.hpp"

#include <array>
#include <span>

#include "common/records/records.hpp"
#include "genodrop/units.hpp"

namespace genodrop {

namespace {

// One haplotype's alleles as the record layer's integers.
std::span<const std::int32_t> whole(const std::array<std::int16_t, max_loci>& alleles,
                                    std::int32_t loci, std::array<std::int32_t, max_loci>& into) {
  for (std::int32_t j = 0; j < loci; ++j) into[j] = alleles[j];
  return std::span<const std::int32_t>(into).first(static_cast<std::size_t>(loci));
}

// The four trace lines of a row; on lines 2 to 4, 27 blanks put each value under its allele.
void write_trace_row(records::File& trace, std::int32_t loci, const PedRecord& record,
                     const Name& name, const Genotypes& genotypes, const Gent& gent,
                     std::int32_t row) {
  std::array<std::int32_t, max_loci> alleles;
  const auto deviates = [&](int side) {
    return std::span<const float>(gent.deviates[row][side]).first(static_cast<std::size_t>(loci));
  };
  {
    records::Writer write(trace, "(5i3,a12,1000i6)");
    write(record.family)(record.individual)(record.father)(record.mother)(record.race)(name);
    write(whole(genotypes.alleles[row][0], loci, alleles));
    write.end();
  }
  {
    records::Writer write(trace, "(27x,1000f6.3)");
    write(deviates(0)).end();
  }
  {
    records::Writer write(trace, "(27x,1000i6)");
    write(whole(genotypes.alleles[row][1], loci, alleles)).end();
  }
  {
    records::Writer write(trace, "(27x,1000f6.3)");
    write(deviates(1)).end();
  }
}

}  // namespace

void write_files(std::string_view genotype_name, const Locides& locides, const Pedigree& pedigree,
                 const Genotypes& genotypes, const Gent& gent) {
  records::File& out = records::open(genotype_unit, genotype_name, records::Mode::write);
  records::File& trace = records::open(trace_unit, trace_name, records::Mode::write);
  const std::int32_t loci = locides.count;
  {
    records::Writer write(out, "(2i5)");
    write(pedigree.count)(loci);
    write.end();
  }
  {
    records::Writer write(out, "(1000a12)");
    for (std::int32_t j = 0; j < loci; ++j) write(locides.names[j]);
    write.end();
  }
  std::array<std::int32_t, sides * max_loci> pairs;
  for (std::int32_t i = 0; i < pedigree.count; ++i) {
    write_trace_row(trace, loci, pedigree.records[i], pedigree.names[i], genotypes, gent, i);
    // Paternal then maternal allele, locus by locus.
    for (std::int32_t j = 0; j < loci; ++j) {
      pairs[2 * j] = genotypes.alleles[i][0][j];
      pairs[2 * j + 1] = genotypes.alleles[i][1][j];
    }
    records::Writer write(out, "(1000(6x,2i3))");
    write(std::span<const std::int32_t>(pairs).first(static_cast<std::size_t>(2 * loci)));
    write.end();
  }
  records::close(out);
  records::close(trace);
}

}  // namespace genodrop
