// The two files a run leaves: the genotype file (the suite's genotype layout, which extract,
// traitsim and xp-geno read) and the trace file, which shows each allele beside the deviate
// that decided it.
#pragma once

#include <string_view>

#include "genodrop/tables.hpp"

namespace genodrop {

// The trace file lands in the current directory whatever the genotype file is called.
constexpr std::string_view trace_name = "gntp.wrk_tmp";

// Opens (creating or replacing) the genotype file `genotype_name` and the trace file
// `trace_name`, writes both from the tables and closes them. The genotype file: a header with
// N and L, a line of the L locus names, then one line per row with both alleles at every
// locus, paternal first. The trace file: four lines per row (its pedigree record and paternal
// alleles, paternal deviates, maternal alleles, maternal deviates). Alleles up to 999 are
// written whole in both. Write faults end the run in the record layer. Without `gent` (the
// chain's trial in simreps, whose deviates nothing reads) only the genotype file is written.
void write_files(std::string_view genotype_name, const Locides& locides, const Pedigree& pedigree,
                 const Genotypes& genotypes, const Gent* gent);

}  // namespace genodrop
