// extract's two working files of a replicate's chromosome, written straight from its tables:
// byte for byte what extract cuts from the genotype file genodrop writes of the same tables,
// without reading that file back.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/outcome/outcome.hpp"
#include "extract/genotype_file.hpp"
#include "genodrop/tables.hpp"
#include "simreps/checksum.hpp"

namespace simreps {

// Whether extract takes the genotype file of `loci`: its layout holds extract::max_loci loci
// on one line. Beyond, extract runs as a process, to refuse the file in its own words.
inline bool split_in_process(const genodrop::Locides& loci) { return loci.count <= extract::max_loci; }

// Writes the working file `path` in the genotype layout with the loci at `positions` of
// `loci`, for every individual of `genotypes` in order (as extract writes its QTL file and its
// marker file), and returns its checksum in `sum`. Returns what failed; a file not finished
// is removed.
outcome::Outcome write_split_file(const std::string& path, const genodrop::Locides& loci,
                                  const genodrop::Genotypes& genotypes, std::span<const std::int32_t> positions,
                                  Checksum& sum);

}  // namespace simreps
