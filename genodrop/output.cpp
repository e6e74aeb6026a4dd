#include "output.hpp"

#include <type_traits>

#include "records.hpp"
#include "units.hpp"

namespace genodrop {

namespace {

// Lines 2 to 4 of a trace row: 27 blanks, so that each value stands under its allele.
template <typename T>
void write_under(records::File& trace, std::string_view layout, const std::array<T, max_loci>& values,
                 std::int32_t loci) {
  records::Writer write(trace, layout);
  for (std::int32_t j = 0; j < loci; ++j) {
    if constexpr (std::is_same_v<T, float>) write(values[j]);
    else write(std::int32_t{values[j]});
  }
  write.end();
}

void write_trace_row(records::File& trace, std::int32_t loci, const PedRecord& record,
                     const Name& name, const Genotypes& genotypes, const Gent& gent,
                     std::int32_t row) {
  {
    records::Writer write(trace, "(5i3,a12,1000i6)");
    write(record.family)(record.individual)(record.father)(record.mother)(record.race)(name);
    for (std::int32_t j = 0; j < loci; ++j) write(std::int32_t{genotypes.alleles[row][0][j]});
    write.end();
  }
  write_under(trace, "(27x,1000f6.3)", gent.deviates[row][0], loci);
  write_under(trace, "(27x,1000i6)", genotypes.alleles[row][1], loci);
  write_under(trace, "(27x,1000f6.3)", gent.deviates[row][1], loci);
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
  for (std::int32_t i = 0; i < pedigree.count; ++i) {
    write_trace_row(trace, loci, pedigree.records[i], pedigree.names[i], genotypes, gent, i);
    records::Writer write(out, "(1000(6x,2i3))");
    for (std::int32_t j = 0; j < loci; ++j)
      write(std::int32_t{genotypes.alleles[i][0][j]})(std::int32_t{genotypes.alleles[i][1][j]});
    write.end();
  }
  records::close(out);
  records::close(trace);
}

}  // namespace genodrop
