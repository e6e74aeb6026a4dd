// The import tools' readers on the same text: as a .fam pedigree table through fam2raw's
// checks and files, as a marker table (alone, and as its own population-2 table) through
// map2chrom's checks and chromosome file, and as a model table through model2wrk's checks and
// model file, which traitsim then reads. Whatever the text, every refusal has a message and
// every accepted table gives files the suite can read.
#include <cstdint>
#include <memory>
#include <string>

#include "fam2raw/beyond_table.hpp"
#include "fam2raw/import.hpp"
#include "fam2raw/output_files.hpp"
#include "map2chrom/chromosome_file.hpp"
#include "map2chrom/marker_checks.hpp"
#include "map2chrom/marker_table.hpp"
#include "model2wrk/model_file.hpp"
#include "model2wrk/model_table.hpp"
#include "tests/fuzz/refusal.hpp"
#include "traitsim/model_file.hpp"
#include "tests/fuzz/scratch.hpp"

namespace {

void pedigree_table(std::string_view text) {
  for (int column : {0, 6}) {
    fam2raw::Options options;
    options.population_column = column;
    options.add_missing_parents = column == 6;
    fam2raw::FamTable table;
    fam2raw::RawPedigree pedigree;
    std::size_t added = 0;
    if (const outcome::Outcome refused = fam2raw::import_table(text, "t.fam", options, table, pedigree, added)) {
      fuzz::expect(!refused->text.empty(), "a refusal without a message");
      continue;
    }
    fuzz::expect(!table.rows.empty(), "an accepted table without rows");
    const std::string raw = fam2raw::raw_pedigree_text(pedigree.records);
    // famorder and xp-fam read at most 98 characters of a line.
    std::size_t start = 0;
    while (start < raw.size()) {
      const std::size_t end = raw.find('\n', start);
      fuzz::expect(end != std::string::npos && end - start <= 98, "a raw pedigree line too long");
      start = end + 1;
    }
    for (const fam2raw::RawRecord& r : pedigree.records) {
      fuzz::expect((r.father == 0) == (r.mother == 0), "a record with one parent");
      fuzz::expect(r.father == 0 ? r.race == 1 || r.race == 2 : r.race == 0, "a wrong race");
    }
    (void)fam2raw::id_map_text(table.rows, pedigree.records);
    (void)fam2raw::beyond_table_note(pedigree.records);
  }
}

void marker_table(std::string_view text) {
  map2chrom::MarkerTable table;
  if (map2chrom::read_marker_table(text, "t.tsv", table)) return;
  using Markers = std::vector<map2chrom::Marker>;
  const Markers second = table.markers;
  for (const Markers* table2 : {static_cast<const Markers*>(nullptr), &second}) {
    Markers markers = table.markers;
    if (map2chrom::check_markers(markers, "t.tsv", table2, "t2.tsv")) continue;
    const std::string chromosome = map2chrom::chromosome_text(markers);
    // Two lines per locus after the header and the count, each within the layouts' columns.
    std::size_t lines = 0, start = 0;
    while (start < chromosome.size()) {
      const std::size_t end = chromosome.find('\n', start);
      fuzz::expect(end != std::string::npos && end - start <= 24 + 20 * 7, "a record too long");
      start = end + 1;
      ++lines;
    }
    fuzz::expect(lines == 13 + 2 * markers.size(), "a chromosome file of the wrong length");
  }
}

// An accepted model table's file reads back in traitsim with every value as the table gave it.
void model_table(std::string_view text) {
  model2wrk::ModelTable table;
  std::vector<std::string> warnings;
  if (const outcome::Outcome refused = model2wrk::read_model_table(text, "t.tsv", table, warnings)) {
    fuzz::expect(!refused->text.empty(), "a refusal without a message");
    return;
  }
  const std::string path = fuzz::write_scratch("model.wrk", model2wrk::model_text(table, "t.tsv"));
  auto locides = std::make_unique<traitsim::Locides>();
  try {
    fuzz::expect(!traitsim::read_model(path, *locides), "traitsim refuses a model model2wrk wrote");
  } catch (const fuzz::Refusal&) {
    fuzz::expect(false, "traitsim cannot read a model model2wrk wrote");
  }
  fuzz::expect(locides->nloci == static_cast<std::int32_t>(table.loci.size()), "a model of another size");
  for (std::size_t p = 0; p < table.loci.size(); ++p) {
    const model2wrk::TraitLocus& locus = table.loci[p];
    fuzz::expect(locides->nalleles[p] == locus.alleles, "a locus with other alleles");
    for (std::int32_t j = 0; j < locus.alleles; ++j)
      for (std::int32_t k = 0; k < locus.alleles; ++k)
        fuzz::expect(locides->values[p][static_cast<std::size_t>(j)][static_cast<std::size_t>(k)] ==
                         static_cast<float>(locus.values[static_cast<std::size_t>(j * locus.alleles + k)]),
                     "a value read back as another");
  }
  fuzz::expect(locides->sigma == static_cast<float>(table.sigma), "sigma read back as another");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::as_text(data, size);
  pedigree_table(text);
  marker_table(text);
  model_table(text);
  return 0;
}
