// A study from a .fam names its individuals as the .fam does: the SOLAR files by family and
// id under SOLAR's famid and id columns, PLINK and Merlin by family, id and parents, the VCF
// by FAMILY_ID. The working files keep fam2raw's numbers 1, 2, ... (--suite-ids keeps them in
// the study's files too).
#pragma once

#include <cstddef>
#include <string>

#include "common/outcome/outcome.hpp"
#include "fam2raw/fam_table.hpp"
#include "fam2raw/raw_pedigree.hpp"
#include "simreps/formats.hpp"
#include "simreps/inputs.hpp"

namespace simreps {

// SOLAR keys an individual by family and id together and refuses them longer than this.
constexpr std::size_t max_family_and_id_chars = 36;
// The marker file's ids, as xp-geno reads them: at most 19 characters.
constexpr std::size_t max_id_chars = 19;

// Refuses, naming each id and its line of the .fam `name`, the families and ids that the
// study's files cannot hold: a comma (the SOLAR files are comma-separated), a blank or a
// control character inside (SOLAR cuts blanks; the other formats separate columns by them),
// family and id longer than max_family_and_id_chars together, an id longer than max_id_chars,
// and with `vcf` two individuals of the same VCF name FAMILY_ID (family A_B and id C, family A
// and id B_C). Every problem is listed, each line starting with "simreps: ".
outcome::Outcome check_user_ids(const fam2raw::FamTable& fam, const std::string& name, bool vcf);

// Renames the individuals of `inputs` and `field`, both in the numbered pedigree's order with
// fam2raw's numbers as ids, by their rows of `fam` (read from `name`), the VCF's samples
// FAMILY_ID.
outcome::Outcome name_by_fam(const fam2raw::FamTable& fam, const std::string& name, Inputs& inputs,
                             FieldFiles& field);

// pedigree.sol of a study from a .fam: "famid,id,fa,mo,sex", then each row of `fam` in the
// .fam's order with its parents' ids (0 for none) and the sex of its record in `raw`.
std::string fam_pedigree_text(const fam2raw::FamTable& fam, const fam2raw::RawPedigree& raw);

}  // namespace simreps
