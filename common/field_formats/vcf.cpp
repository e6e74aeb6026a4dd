#include "common/field_formats/vcf.hpp"

#include <htslib/bgzf.h>
#include <htslib/hts.h>
#include <htslib/vcf.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace field_formats {
namespace {

struct CloseFile {
  void operator()(htsFile* file) const { hts_close(file); }
};
struct FreeHeader {
  void operator()(bcf_hdr_t* header) const { bcf_hdr_destroy(header); }
};

outcome::Outcome make_header(const Layout& layout, const Meta& meta, bcf_hdr_t* header) {
  if (bcf_hdr_set_version(header, "VCFv4.3") != 0) return outcome::stop("cannot set the VCF version");
  // Each chromosome a contig, as long as its last marker's position (1 without markers).
  std::vector<std::int64_t> lengths(layout.chromosomes.size(), 1);
  std::int32_t most = 1;
  for (const Marker& marker : layout.markers) {
    lengths[marker.chromosome] = std::max(lengths[marker.chromosome], marker.position);
    most = std::max(most, marker.alleles);
  }
  std::vector<std::string> lines;
  for (const auto& [key, value] : meta) lines.push_back("##" + key + "=" + value);
  for (std::size_t c = 0; c < layout.chromosomes.size(); ++c)
    lines.push_back("##contig=<ID=" + layout.chromosomes[c] + ",length=" + std::to_string(lengths[c]) + ">");
  for (std::int32_t a = 2; a <= most; ++a)
    lines.push_back("##ALT=<ID=A" + std::to_string(a) + ",Description=\"Allele " + std::to_string(a) +
                    " of the marker\">");
  lines.push_back("##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">");
  for (const std::string& line : lines)
    if (bcf_hdr_append(header, line.c_str()) != 0) return outcome::stop("cannot add the header line " + line);
  for (const Individual& individual : layout.individuals)
    if (bcf_hdr_add_sample(header, individual.sample_name().c_str()) != 0)
      return outcome::stop("cannot add the sample " + individual.sample_name());
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

  // The records are put together here rather than through bcf_write: htslib would first build
  // each in its binary form and then print it, which took longer than the replicate itself.
  // The text is what bcf_write prints; htslib still makes the BGZF blocks and the index.
  BGZF* out = file->fp.bgzf;
  const std::size_t n = layout.individuals.size(), markers = layout.markers.size();
  std::int32_t most = 1;
  for (const Marker& marker : layout.markers) most = std::max(most, marker.alleles);
  // Allele index a as text, and "." for an allele outside the marker's.
  struct Number {
    char text[12];
    std::size_t size;
  };
  std::vector<Number> numbers(static_cast<std::size_t>(most) + 1);
  for (std::size_t a = 0; a < numbers.size(); ++a) {
    const std::string text = a == 0 ? "." : std::to_string(a - 1);
    numbers[a].size = text.copy(numbers[a].text, sizeof numbers[a].text);
  }
  // Every allele's entry in `numbers` first, marker by marker: the alleles are kept by
  // individual, and reading them by marker would take a cache line for every allele.
  std::vector<std::uint16_t> entries(2 * n * markers);
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t m = 0; m < markers; ++m) {
      const std::int32_t count = layout.markers[m].alleles;
      for (int side = 0; side < 2; ++side) {
        const std::int32_t a = alleles.allele(k, side, m);
        entries[2 * (m * n + k) + static_cast<std::size_t>(side)] =
            static_cast<std::uint16_t>(a >= 1 && a <= count ? a : 0);
      }
    }
  std::string line;
  // Room for the widest genotypes, made once: each "\tp|m".
  std::vector<char> genotypes(n * (2 * sizeof(Number::text) + 2) + 1);
  for (std::size_t m = 0; m < markers; ++m) {
    const Marker& marker = layout.markers[m];
    const std::int32_t count = std::max(marker.alleles, 1);
    line.clear();
    line += layout.chromosome_of(marker);
    line += '\t';
    line += std::to_string(marker.position);
    line += '\t';
    line += marker.name;
    line += "\tN\t";
    if (count == 1) line += '.';
    for (std::int32_t a = 2; a <= count; ++a) {
      if (a > 2) line += ',';
      line += "<A" + std::to_string(a) + ">";
    }
    line += "\t.\t.\t.\tGT";
    // Then the genotypes, phased, paternal allele first: "\tp|m" each.
    char* at = genotypes.data();
    const std::uint16_t* entry = entries.data() + 2 * n * m;
    for (std::size_t k = 0; k < n; ++k, entry += 2) {
      const Number& p = numbers[entry[0]];
      const Number& q = numbers[entry[1]];
      *at++ = '\t';
      std::memcpy(at, p.text, p.size);
      at += p.size;
      *at++ = '|';
      std::memcpy(at, q.text, q.size);
      at += q.size;
    }
    *at++ = '\n';
    line.append(genotypes.data(), static_cast<std::size_t>(at - genotypes.data()));
    // A record starts a new block rather than straddle two where it would fit in one, as
    // htslib's own writer does, so that the index points at it cheaply.
    if (bgzf_flush_try(out, static_cast<ssize_t>(line.size())) < 0 ||
        bgzf_write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
      return outcome::stop("cannot write " + path);
    // A VCF's CSI index names its contigs, as a tabix index does.
    const int tid = hts_idx_tbi_name(file->idx, static_cast<int>(marker.chromosome),
                                         layout.chromosome_of(marker).c_str());
    if (tid < 0 || hts_idx_push(file->idx, tid, marker.position - 1, marker.position, bgzf_tell(out), 1) < 0)
      return outcome::stop("cannot index marker " + marker.name + " in " + index);
  }
  if (bcf_idx_save(file.get()) != 0) return outcome::stop("cannot write the index " + index);
  if (hts_close(file.release()) != 0) return outcome::stop("cannot finish " + path);
  return std::nullopt;
}

}  // namespace field_formats
