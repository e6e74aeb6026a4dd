#include "fam2raw/output_files.hpp"

#include <cstdio>

namespace fam2raw {

std::string raw_pedigree_text(const std::vector<RawRecord>& records) {
  // famorder and xp-fam read at most 98 characters of a line, so the descriptive line stays
  // short and names no file.
  std::string text = "Raw pedigree from fam2raw. Columns: id father mother population sex\n";
  text += std::to_string(records.size()) + " individuals\n";
  char line[96];
  for (const RawRecord& r : records) {
    std::snprintf(line, sizeof line, "%7d %7d %7d %2d %2d\n", r.id, r.father, r.mother, r.race,
                  r.sex);
    text += line;
  }
  return text;
}

std::string id_map_text(const std::vector<FamRow>& rows, const std::vector<RawRecord>& records) {
  std::string text = "family\tid\tsuite_id\n";
  for (std::size_t k = 0; k < rows.size(); ++k)
    text += rows[k].family + '\t' + rows[k].id + '\t' + std::to_string(records[k].id) + '\n';
  return text;
}

}  // namespace fam2raw
