#include "fam2raw/import.hpp"

#include "common/files/text_lines.hpp"
#include "fam2raw/missing_parents.hpp"

namespace fam2raw {

outcome::Outcome import_table(std::string_view text, const std::string& name, const Options& options,
                              FamTable& table, RawPedigree& pedigree, std::size_t& added) {
  Problems problems;
  read_fam_table(files::without_byte_order_mark(text), name, options, table, problems);
  added = options.add_missing_parents ? add_missing_parents(table, options, name, problems) : 0;
  to_raw_pedigree(table.rows, name, pedigree, problems);
  return problems.refusal(name);
}

}  // namespace fam2raw
