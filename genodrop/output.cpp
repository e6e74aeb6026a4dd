#include "genodrop/output.hpp"

#include <span>
#include <vector>

#include "common/records/records.hpp"
#include "genodrop/units.hpp"

namespace genodrop {

namespace {

// One haplotype's alleles as the record layer's integers.
std::span<const std::int32_t> whole(std::span<const std::int16_t> alleles, std::vector<std::int32_t>& into) {
  for (std::size_t j = 0; j < alleles.size(); ++j) into[j] = alleles[j];
  return std::span<const std::int32_t>(into).first(alleles.size());
}

// The four trace lines of a row; on lines 2 to 4, 27 blanks put each value under its allele.
// (The layouts repeat their items as often as a row has loci.)
void write_trace_row(records::File& trace, const PedRecord& record, const Name& name, const Genotypes& genotypes,
                     const Gent& gent, std::int32_t row, std::vector<std::int32_t>& alleles) {
  {
    records::Writer write(trace, "(5i3,a12,1000i6)");
    write(record.family)(record.individual)(record.father)(record.mother)(record.race)(name);
    write(whole(genotypes.alleles(row, 0), alleles));
    write.end();
  }
  {
    records::Writer write(trace, "(27x,1000f6.3)");
    write(gent.deviates(row, 0)).end();
  }
  {
    records::Writer write(trace, "(27x,1000i6)");
    write(whole(genotypes.alleles(row, 1), alleles)).end();
  }
  {
    records::Writer write(trace, "(27x,1000f6.3)");
    write(gent.deviates(row, 1)).end();
  }
}

}  // namespace

void write_files(std::string_view genotype_name, const Locides& locides, const Pedigree& pedigree,
                 const Genotypes& genotypes, const Gent* gent) {
  records::File& out = records::open(genotype_unit, genotype_name, records::Mode::write);
  records::File* trace = gent != nullptr ? &records::open(trace_unit, trace_name, records::Mode::write) : nullptr;
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
  std::vector<std::int32_t> pairs(sides * static_cast<std::size_t>(loci)), alleles(static_cast<std::size_t>(loci));
  for (std::int32_t i = 0; i < pedigree.count; ++i) {
    if (trace != nullptr) write_trace_row(*trace, pedigree.records[i], pedigree.names[i], genotypes, *gent, i, alleles);
    // Paternal then maternal allele, locus by locus.
    const auto paternal = genotypes.alleles(i, 0), maternal = genotypes.alleles(i, 1);
    for (std::int32_t j = 0; j < loci; ++j) {
      pairs[2 * j] = paternal[j];
      pairs[2 * j + 1] = maternal[j];
    }
    records::Writer write(out, "(1000(6x,2i3))");
    write(std::span<const std::int32_t>(pairs).first(static_cast<std::size_t>(2 * loci)));
    write.end();
  }
  records::close(out);
  if (trace != nullptr) records::close(*trace);
}

}  // namespace genodrop
