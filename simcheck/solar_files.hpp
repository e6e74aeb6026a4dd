// The SOLAR files of a simulation against the working files they came from: mark.sol is what
// xp-geno makes of the numbered pedigree and mark.wrk, phen.sol what xp-trait makes of the
// numbered pedigree and the phenotype file. Both are made again here with those programs' own
// code and compared byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simcheck/folders.hpp"
#include "simcheck/inputs.hpp"
#include "simcheck/options.hpp"

namespace simcheck {

// The largest inputs the converters are handed here, from the formats' limits: 99,999
// individuals (five columns) of 100 loci, or of a chromosome's loci where it has more; lines
// of a marker genotype file of 1,200 characters (12 a locus beyond 100), of a phenotype file
// 44, of a numbered pedigree 42, each with room for a Windows line end. A larger file, or one
// that is not a plain file, is not made into SOLAR files.
constexpr std::int64_t max_records = 99'999;
std::int64_t max_marker_file_bytes(std::int32_t loci);
constexpr std::int64_t max_phenotype_file_bytes = (max_records + 1) * (44 + 2);
constexpr std::int64_t max_pedigree_bytes = (max_records + 1) * (42 + 2);

// One SOLAR file to check: `sol` made by xp-geno (markers) or xp-trait from `pedigree` and
// `working`. The marker file of a study of several chromosomes is made from each chromosome's
// marker genotype file, chromosome 1's columns first, then the others' after their id column.
struct SolarFile {
  bool markers = true;
  std::string pedigree;
  std::vector<std::string> working;
  std::string sol;
  std::int32_t loci = 0;  // the most loci of a chromosome, which bound a marker file's lines
};

// The files that differ that a refusal lists; the rest are counted.
constexpr std::size_t max_solar_faults = 20;

// Makes `file` again and compares it with its SOLAR file. Returns what is wrong, empty when
// they are the same; `scratch` is a folder for the file made again.
std::string compare_solar(const SolarFile& file, const std::string& scratch);

// Makes each simulation's mark.sol and phen.sol again from their working files and the
// numbered pedigree; a study must have them all, a single simulation is checked where they are
// there. Every file that differs is listed.
outcome::Outcome check_solar_files(const Options& options, const Layout& layout, const Inputs& inputs);

}  // namespace simcheck
