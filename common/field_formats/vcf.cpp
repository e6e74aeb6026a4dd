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
    if (bcf_hdr_add_sample(header, individual.id.c_str()) != 0)
      return outcome::stop("cannot add the sample " + individual.id);
  if (bcf_hdr_sync(header) != 0) return outcome::stop("cannot complete the VCF header");
  return std::nullopt;
}

// Allele index a - 1 of allele a as text, "." for 0 (an allele outside the marker's), in a
// slot of fixed width: a genotype is put together by copying whole slots, which the compiler
// makes single stores, and moving on by the text's size.
struct AlleleTexts {
  static constexpr std::size_t width = 8;
  struct Text {
    char chars[width];
    std::size_t size;
  };
  std::vector<Text> texts;
  explicit AlleleTexts(std::int32_t most) : texts(static_cast<std::size_t>(most) + 1) {
    for (std::size_t a = 0; a < texts.size(); ++a) {
      const std::string text = a == 0 ? "." : std::to_string(a - 1);
      texts[a].size = text.copy(texts[a].chars, width);
    }
  }
  // The most a genotype takes: "\tp|m".
  static constexpr std::size_t genotype_room = 2 * width + 2;
};

std::int32_t most_alleles(const Layout& layout) {
  std::int32_t most = 1;
  for (const Marker& marker : layout.markers) most = std::max(most, marker.alleles);
  return most;
}

// Puts marker m's record up to its genotypes into `line`.
void put_record_start(const Layout& layout, std::size_t m, std::string& line) {
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
}

// Puts marker m's genotypes into `room` (made by genotype_room()), phased, paternal allele
// first: "\tp|m" each, and the line's end. Returns their size. Read straight from the
// simulation's table, marker by marker: consecutive markers share the cache lines of each
// individual's alleles.
std::vector<char> genotype_room(const Layout& layout) {
  return std::vector<char>(layout.individuals.size() * AlleleTexts::genotype_room + 1);
}

std::size_t put_genotypes(const Layout& layout, const Alleles& alleles, std::size_t m, const AlleleTexts& texts,
                          std::vector<char>& room) {
  char* at = room.data();
  const std::int16_t* column = alleles.column(m);
  const auto count = static_cast<std::uint32_t>(layout.markers[m].alleles);
  const AlleleTexts::Text* text = texts.texts.data();
  auto put = [&](std::int32_t a) {
    // Any allele outside 1..count is missing, entry 0.
    const AlleleTexts::Text& t = text[static_cast<std::uint32_t>(a - 1) < count ? a : 0];
    std::memcpy(at, t.chars, AlleleTexts::width);
    at += t.size;
  };
  for (std::size_t k = 0; k < layout.individuals.size(); ++k, column += alleles.individual_stride) {
    *at++ = '\t';
    put(column[0]);
    *at++ = '|';
    put(column[alleles.side_stride]);
  }
  *at++ = '\n';
  return static_cast<std::size_t>(at - room.data());
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
  const AlleleTexts texts(most_alleles(layout));
  std::string line;
  std::vector<char> genotypes = genotype_room(layout);
  for (std::size_t m = 0; m < layout.markers.size(); ++m) {
    const Marker& marker = layout.markers[m];
    put_record_start(layout, m, line);
    const std::size_t size = put_genotypes(layout, alleles, m, texts, genotypes);
    // A record starts a new block rather than straddle two where it would fit in one, as
    // htslib's own writer does, so that the index points at it cheaply.
    if (bgzf_flush_try(out, static_cast<ssize_t>(line.size() + size)) < 0 ||
        bgzf_write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size()) ||
        bgzf_write(out, genotypes.data(), size) != static_cast<ssize_t>(size))
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
