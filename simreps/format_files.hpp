// The files of the field's formats (VCF, PLINK, Merlin) in a study: per replicate in its
// folder, and the Merlin data and map files once at the study's root.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/completion.hpp"
#include "simreps/formats.hpp"

namespace simreps {

// Writes into `folder` the files of replicate `r` (seeds `seeds`, of the study with the first
// seed `first_seed`) in the formats of `field` other than SOLAR's: genotypes.vcf.gz and its
// .csi; plink.bed, plink.bim and plink.fam; merlin.ped. Adds each to `sums`. Returns what
// failed, naming the file.
outcome::Outcome write_format_files(const FieldFiles& field, const Inputs& inputs, const Replicate& replicate,
                                    std::int32_t first_seed, std::int64_t r, Seeds seeds,
                                    const std::string& folder, FileSums& sums);

// The files of the study's root in the formats of `field`, as names and texts: merlin.dat and
// merlin.map with Merlin.
std::vector<std::pair<std::string, std::string>> study_format_files(const FieldFiles& field);

}  // namespace simreps
