#include "map2chrom/import.hpp"

#include "common/files/text_lines.hpp"
#include "map2chrom/chromosome_file.hpp"
#include "map2chrom/marker_checks.hpp"
#include "map2chrom/marker_table.hpp"

namespace map2chrom {

outcome::Outcome import_table(const TableText& table, const TableText* table2, std::string& chromosome,
                              std::vector<std::string>& warnings) {
  if (!table.readable) return outcome::stop("map2chrom: cannot read " + table.name);
  MarkerTable markers;
  if (auto refused = read_marker_table(files::without_byte_order_mark(table.text), table.name, markers))
    return refused;
  MarkerTable markers2;
  if (table2 != nullptr && !table2->readable) return outcome::stop("map2chrom: cannot read " + table2->name);
  if (table2 != nullptr)
    if (auto refused = read_marker_table(files::without_byte_order_mark(table2->text), table2->name, markers2))
      return refused;
  if (auto refused = check_markers(markers.markers, table.name, table2 ? &markers2.markers : nullptr,
                                   table2 ? table2->name : std::string()))
    return refused;
  warnings = trait_case_warnings(markers.markers, table.name);
  chromosome = chromosome_text(markers.markers);
  return std::nullopt;
}

}  // namespace map2chrom
