#include "common/field_formats/vcf.hpp"

#include <htslib/hts.h>
#include <htslib/vcf.h>

#include <memory>
#include <vector>

namespace field_formats {
namespace {

struct CloseFile {
  void operator()(htsFile* file) const { hts_close(file); }
};
struct FreeHeader {
  void operator()(bcf_hdr_t* header) const { bcf_hdr_destroy(header); }
};
struct FreeRecord {
  void operator()(bcf1_t* record) const { bcf_destroy(record); }
};

outcome::Outcome make_header(const Layout& layout, const Meta& meta, bcf_hdr_t* header) {
  if (bcf_hdr_set_version(header, "VCFv4.3") != 0) return outcome::stop("cannot set the VCF version");
  std::int64_t length = 1;
  std::int32_t most = 1;
  for (const Marker& marker : layout.markers) {
    length = std::max(length, marker.position);
    most = std::max(most, marker.alleles);
  }
  std::vector<std::string> lines;
  for (const auto& [key, value] : meta) lines.push_back("##" + key + "=" + value);
  lines.push_back("##contig=<ID=" + layout.chromosome + ",length=" + std::to_string(length) + ">");
  for (std::int32_t a = 2; a <= most; ++a)
    lines.push_back("##ALT=<ID=A" + std::to_string(a) + ",Description=\"Allele " + std::to_string(a) +
                    " of the marker\">");
  lines.push_back("##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">");
  for (const std::string& line : lines)
    if (bcf_hdr_append(header, line.c_str()) != 0) return outcome::stop("cannot add the header line " + line);
  for (const Individual& individual : layout.individuals)
    if (bcf_hdr_add_sample(header, individual.id.c_str()) != 0)
      return outcome::stop("cannot add the sample " + individual.id);
  if (bcf_hdr_sync(header) != 0) return outcome::stop("cannot complete the VCF header");
  return std::nullopt;
}

}  // namespace

outcome::Outcome write_vcf(const std::string& path, const Layout& layout, const Alleles& alleles,
                           const Meta& meta) {
  const std::string mode = "wz" + std::to_string(vcf_compression);
  std::unique_ptr<htsFile, CloseFile> file(hts_open(path.c_str(), mode.c_str()));
  if (!file) return outcome::stop("cannot create " + path);
  std::unique_ptr<bcf_hdr_t, FreeHeader> header(bcf_hdr_init("w"));
  if (!header) return outcome::stop("cannot make the header of " + path);
  if (auto failed = make_header(layout, meta, header.get())) return outcome::stop(path + ": " + failed->text);
  const std::string index = path + ".csi";
  if (bcf_hdr_write(file.get(), header.get()) != 0) return outcome::stop("cannot write " + path);
  // Built as the records go out, so the file is not read back to index it.
  if (bcf_idx_init(file.get(), header.get(), 14, index.c_str()) != 0)
    return outcome::stop("cannot start the index " + index);

  std::unique_ptr<bcf1_t, FreeRecord> record(bcf_init());
  const std::size_t n = layout.individuals.size(), markers = layout.markers.size();
  // Every genotype first, marker by marker, read individual by individual: the alleles are
  // kept by individual, and reading them by marker would take a cache line for every allele.
  std::vector<std::int32_t> genotypes(2 * n * markers);
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t m = 0; m < markers; ++m) {
      const std::int32_t count = layout.markers[m].alleles;
      const std::int32_t p = alleles.allele(k, 0, m), q = alleles.allele(k, 1, m);
      // The phase mark stands on the second allele of a genotype.
      genotypes[2 * (m * n + k)] = p >= 1 && p <= count ? bcf_gt_unphased(p - 1) : bcf_gt_missing;
      genotypes[2 * (m * n + k) + 1] = q >= 1 && q <= count ? bcf_gt_phased(q - 1) : bcf_gt_missing;
    }
  std::vector<std::string> names{"N"};
  std::vector<const char*> texts;
  for (std::size_t m = 0; m < markers; ++m) {
    const Marker& marker = layout.markers[m];
    while (static_cast<std::int32_t>(names.size()) < marker.alleles)
      names.push_back("<A" + std::to_string(names.size() + 1) + ">");
    texts.clear();
    for (std::int32_t a = 0; a < std::max(marker.alleles, 1); ++a) texts.push_back(names[static_cast<std::size_t>(a)].c_str());
    bcf_clear(record.get());
    record->rid = 0;
    record->pos = marker.position - 1;
    if (bcf_update_id(header.get(), record.get(), marker.name.c_str()) != 0 ||
        bcf_update_alleles(header.get(), record.get(), texts.data(), static_cast<int>(texts.size())) != 0)
      return outcome::stop(path + ": cannot make the record of marker " + marker.name);
    if (bcf_update_genotypes(header.get(), record.get(), genotypes.data() + 2 * n * m, static_cast<int>(2 * n)) != 0)
      return outcome::stop(path + ": cannot make the genotypes of marker " + marker.name);
    if (bcf_write(file.get(), header.get(), record.get()) != 0) return outcome::stop("cannot write " + path);
  }
  if (bcf_idx_save(file.get()) != 0) return outcome::stop("cannot write the index " + index);
  if (hts_close(file.release()) != 0) return outcome::stop("cannot finish " + path);
  return std::nullopt;
}

}  // namespace field_formats
