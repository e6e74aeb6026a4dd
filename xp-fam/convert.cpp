#include "xp-fam/convert.hpp"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "common/files/same_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/rawped/missing_id.hpp"

namespace xpfam {

namespace {

void write_record(files::OutputFile& out, const rawped::PedRecord& rec, std::int32_t id) {
  char line[64];
  char* p = line;
  for (const std::int32_t v : {id, rec.nfat, rec.nmat, rec.sex}) {
    if (p != line) *p++ = ',';
    p = std::to_chars(p, line + sizeof line, v).ptr;
  }
  *p++ = '\n';
  out.text({line, static_cast<std::size_t>(p - line)});
}

std::string write_failure(const std::string& outfile, const files::OutputFile& out) {
  return files::cannot_write("xp-fam", outfile, out.error()) + "\n";
}

// Closes the input on every way out of the run.
struct Input {
  std::FILE* file;
  ~Input() {
    if (file != nullptr) std::fclose(file);
  }
};

}  // namespace

outcome::Outcome convert_records(rawped::RawReader& reader, files::OutputFile& out,
                                 const std::string& infile, const std::string& outfile) {
  std::int32_t numax = 0;
  if (auto s = reader.read_count(numax); s != rawped::ReadStatus::ok) {
    return outcome::stop(rawped::failure_text(s, infile, reader.line()));
  }
  if (numax < 0) return outcome::stop(rawped::no_memory_message(numax));
  rawped::MissingIdNamer namer;
  // A name can meet another only where a raw id is negative, so the file lines of the records
  // without an id (the k-th is named -k) and of the first record of each negative raw id are
  // all that is kept.
  std::vector<long> unnamed_lines;
  std::unordered_map<std::int32_t, long> negative_ids;
  for (std::int32_t i = 0; i < numax; ++i) {
    rawped::PedRecord rec{};
    if (auto s = reader.read_record(rec); s != rawped::ReadStatus::ok) {
      return outcome::stop(rawped::failure_text(s, infile, reader.line()));
    }
    const std::int32_t name = namer.name(rec.id);
    long earlier = 0;
    if (rec.id == 0) {
      if (const auto raw = negative_ids.find(name); raw != negative_ids.end()) earlier = raw->second;
      unnamed_lines.push_back(reader.line());
    } else if (rec.id < 0) {
      // -2147483648 names no record: a file cannot hold that many.
      const std::uint32_t k = 0u - static_cast<std::uint32_t>(rec.id);
      if (k <= unnamed_lines.size()) earlier = unnamed_lines[k - 1];
      negative_ids.try_emplace(rec.id, reader.line());
    }
    if (earlier != 0) {
      return outcome::stop(rawped::name_twice_message(infile, name, earlier, reader.line()));
    }
    write_record(out, rec, name);
    if (!out.ok()) return outcome::stop(write_failure(outfile, out));
  }
  return std::nullopt;
}

outcome::Outcome convert_file(const std::string& infile, const std::string& outfile) {
  const Input in{rawped::open_input(infile)};
  if (in.file == nullptr) return outcome::stop("cannot open input data file '" + infile + "'\n");
  // Opening the output empties it, so naming the input file again would destroy the raw
  // pedigree before a line of it is read.
  if (files::is_open_file(outfile.c_str(), in.file)) {
    return outcome::stop("output file '" + outfile + "' is the input file; nothing written\n");
  }
  files::OutputFile out;
  if (!out.open(outfile.c_str())) {
    return outcome::stop("cannot open output data file '" + outfile + "'\n");
  }
  rawped::RawReader reader(in.file);
  if (auto s = reader.skip_lines(1); s != rawped::ReadStatus::ok) {
    return outcome::stop(rawped::message(s));
  }
  out.text("id,fa,mo,sex\n");
  // A refused record leaves the records before it written, so the output is closed, not
  // discarded, on that way out too. A write that failed leaves a file that is not even those
  // records (and has no count line to betray it), so that file goes, whatever else was wrong.
  const outcome::Outcome failed = convert_records(reader, out, infile, outfile);
  if (!out.close()) {
    out.discard();
    return outcome::stop(write_failure(outfile, out));
  }
  return failed;
}

}  // namespace xpfam
