#include "common/field_formats/vcf.hpp"

#include <htslib/bgzf.h>
#include <htslib/hts.h>
#include <htslib/vcf.h>

#include <algorithm>
#include <array>
#include <cstdlib>
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

std::int32_t most_alleles(const Layout& layout) {
  std::int32_t most = 1;
  for (const Marker& marker : layout.markers) most = std::max(most, marker.alleles);
  return most;
}

// Where the `Meta` lines of each file go: the header is made with this line in their place.
constexpr const char* meta_place = "##simreps_meta=here";

outcome::Outcome make_header(const Layout& layout, bcf_hdr_t* header) {
  if (bcf_hdr_set_version(header, "VCFv4.3") != 0) return outcome::stop("cannot set the VCF version");
  // Each chromosome a contig, as long as its last marker's position (1 without markers).
  std::vector<std::int64_t> lengths(layout.chromosomes.size(), 1);
  for (const Marker& marker : layout.markers)
    lengths[marker.chromosome] = std::max(lengths[marker.chromosome], marker.position);
  const std::int32_t most = most_alleles(layout);
  std::vector<std::string> lines{meta_place};
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

// The text "\tp|m" of every genotype of a marker of up to `most` alleles (p and m the allele
// indices, a - 1 of allele a, or "." for 0, an allele outside the marker's), in slots of fixed
// width: a genotype is one look-up, one copy of a whole slot, which the compiler makes a
// single store, and a move by the text's size.
struct GenotypeTexts {
  static constexpr std::size_t width = 8;  // "\t98|98" at most
  std::size_t side;                       // most + 1: allele 0 and 1..most
  std::vector<std::array<char, width>> texts;
  std::vector<std::uint8_t> sizes;
  explicit GenotypeTexts(std::int32_t most)
      : side(static_cast<std::size_t>(most) + 1), texts(side * side), sizes(side * side) {
    for (std::size_t p = 0; p < side; ++p)
      for (std::size_t m = 0; m < side; ++m) {
        std::string text = "\t";
        text += index_text(p);
        text += '|';
        text += index_text(m);
        sizes[p * side + m] = static_cast<std::uint8_t>(text.copy(texts[p * side + m].data(), width));
      }
  }
  static std::string index_text(std::size_t a) { return a == 0 ? "." : std::to_string(a - 1); }
};

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

// The genotypes of a group of consecutive markers, put together in one pass over the
// individuals: the simulation keeps each individual's alleles side by side, 32 to a cache
// line, so a pass takes each line once, where reading one marker at a time would take a line
// for every allele (the table is larger than the processor's nearest caches).
struct GenotypeGroup {
  static constexpr std::size_t most = 32;
  std::array<std::vector<char>, most> texts;  // "\tp|m" each, and the line's end
  std::array<std::size_t, most> sizes{};
  explicit GenotypeGroup(const Layout& layout) {
    for (auto& text : texts) text.resize(layout.individuals.size() * GenotypeTexts::width + 1);
  }
};

// Puts the genotypes of markers first.. (`markers` of them, at most GenotypeGroup::most) into
// `group`, phased, paternal allele first.
void put_genotypes(const Layout& layout, const Alleles& alleles, std::size_t first, std::size_t markers,
                   const GenotypeTexts& texts, GenotypeGroup& group) {
  std::array<char*, GenotypeGroup::most> at{};
  std::array<const std::int16_t*, GenotypeGroup::most> column{};
  std::array<std::uint32_t, GenotypeGroup::most> count{};
  for (std::size_t g = 0; g < markers; ++g) {
    at[g] = group.texts[g].data();
    column[g] = alleles.column(first + g);
    count[g] = static_cast<std::uint32_t>(std::max(layout.markers[first + g].alleles, 0));
  }
  const std::size_t side = texts.side;
  auto put = [&texts, side](char*& p, std::int32_t paternal, std::int32_t maternal, std::uint32_t alleles_of_marker) {
    // Any allele outside the marker's is missing, entry 0.
    const std::size_t entry = (static_cast<std::uint32_t>(paternal - 1) < alleles_of_marker ? paternal : 0) * side +
                              (static_cast<std::uint32_t>(maternal - 1) < alleles_of_marker ? maternal : 0);
    std::memcpy(p, texts.texts[entry].data(), GenotypeTexts::width);
    p += texts.sizes[entry];
  };
  const std::size_t n = layout.individuals.size();
  for (std::size_t k = 0, row = 0; k < n; ++k, row += alleles.individual_stride)
    for (std::size_t g = 0; g < markers; ++g)
      put(at[g], column[g][row], column[g][row + alleles.side_stride], count[g]);
  for (std::size_t g = 0; g < markers; ++g) {
    *at[g]++ = '\n';
    group.sizes[g] = static_cast<std::size_t>(at[g] - group.texts[g].data());
  }
}

}  // namespace

struct VcfHeader::Parts {
  std::unique_ptr<bcf_hdr_t, FreeHeader> header;  // for the index, which takes its contigs
  std::string before_meta, after_meta;            // its text, as bcf_hdr_write prints it
};

outcome::Outcome VcfHeader::make(const Layout& layout) {
  auto parts = std::make_shared<Parts>();
  parts->header.reset(bcf_hdr_init("w"));
  if (!parts->header) return outcome::stop("cannot make the VCF header");
  if (auto failed = make_header(layout, parts->header.get())) return failed;
  kstring_t text{0, 0, nullptr};
  const bool formatted = bcf_hdr_format(parts->header.get(), 0, &text) == 0;
  const std::string whole = formatted ? std::string(text.s, text.l) : std::string();
  std::free(text.s);
  const std::string place = std::string(meta_place) + '\n';
  const std::size_t at = whole.find(place);
  if (at == std::string::npos) return outcome::stop("cannot complete the VCF header");
  parts->before_meta = whole.substr(0, at);
  parts->after_meta = whole.substr(at + place.size());
  parts_ = std::move(parts);
  return std::nullopt;
}

namespace {

// Writes the header into `file` as bcf_hdr_write writes it, its text in blocks of its own,
// with the lines `meta`, and starts the file's index `index`.
outcome::Outcome start_file(htsFile* file, const VcfHeader::Parts& header, const Meta& meta, const std::string& path,
                            const std::string& index) {
  // Marked as VCF, as bcf_hdr_write marks it, so that the index is a VCF's.
  file->format.category = variant_data;
  file->format.format = vcf;
  std::string text = header.before_meta;
  for (const auto& [key, value] : meta) text += "##" + key + "=" + value + "\n";
  text += header.after_meta;
  BGZF* out = file->fp.bgzf;
  if (bgzf_write(out, text.data(), text.size()) != static_cast<ssize_t>(text.size()) || bgzf_flush(out) != 0)
    return outcome::stop("cannot write " + path);
  // Built as the records go out, so the file is not read back to index it.
  if (bcf_idx_init(file, header.header.get(), 14, index.c_str()) != 0)
    return outcome::stop("cannot start the index " + index);
  return std::nullopt;
}

// Writes the records of `layout` into `file` and its index. They are put together here rather
// than through bcf_write: htslib would first build each in its binary form and then print it,
// which took longer than the replicate itself. The text is what bcf_write prints; htslib still
// makes the BGZF blocks and the index.
outcome::Outcome write_records(htsFile* file, const Layout& layout, const Alleles& alleles, const std::string& path,
                               const std::string& index) {
  BGZF* out = file->fp.bgzf;
  const GenotypeTexts texts(most_alleles(layout));
  std::string line;
  GenotypeGroup group(layout);
  for (std::size_t first = 0; first < layout.markers.size(); first += GenotypeGroup::most) {
    const std::size_t markers = std::min(GenotypeGroup::most, layout.markers.size() - first);
    put_genotypes(layout, alleles, first, markers, texts, group);
    for (std::size_t g = 0; g < markers; ++g) {
      const Marker& marker = layout.markers[first + g];
      put_record_start(layout, first + g, line);
      const std::vector<char>& genotypes = group.texts[g];
      const std::size_t size = group.sizes[g];
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
  }
  return std::nullopt;
}

}  // namespace

outcome::Outcome write_vcf(const std::string& path, const VcfHeader& header, const Layout& layout,
                           const Alleles& alleles, const Meta& meta, int level) {
  if (header.parts() == nullptr) return outcome::stop("cannot write " + path + ": its header is not made");
  if (most_alleles(layout) > max_vcf_alleles)
    return outcome::stop("cannot write " + path + ": a marker has more than " + std::to_string(max_vcf_alleles) +
                         " alleles");
  const std::string mode = "wz" + std::to_string(std::clamp(level, 0, 9));
  std::unique_ptr<htsFile, CloseFile> file(hts_open(path.c_str(), mode.c_str()));
  if (!file) return outcome::stop("cannot create " + path);
  const std::string index = path + ".csi";
  if (auto failed = start_file(file.get(), *header.parts(), meta, path, index)) return failed;
  if (auto failed = write_records(file.get(), layout, alleles, path, index)) return failed;
  if (bcf_idx_save(file.get()) != 0) return outcome::stop("cannot write the index " + index);
  if (hts_close(file.release()) != 0) return outcome::stop("cannot finish " + path);
  return std::nullopt;
}

}  // namespace field_formats
