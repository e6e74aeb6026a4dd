#include "convert.hpp"

#include <charconv>
#include <unordered_map>
#include <vector>

#include "missing_id.hpp"

namespace xpfam {

namespace {

bool write_record(std::FILE* out, const rawped::PedRecord& rec, std::int32_t id) {
  char line[64];
  char* p = line;
  for (const std::int32_t v : {id, rec.nfat, rec.nmat, rec.sex}) {
    if (p != line) *p++ = ',';
    p = std::to_chars(p, line + sizeof line, v).ptr;
  }
  *p++ = '\n';
  const std::size_t len = static_cast<std::size_t>(p - line);
  return std::fwrite(line, 1, len, out) == len;
}

}  // namespace

ConvertOutcome convert_records(rawped::RawReader& reader, std::FILE* out) {
  ConvertOutcome result;
  if (auto s = reader.read_count(result.numax); s != rawped::ReadStatus::ok) {
    result.kind = ConvertOutcome::Kind::read_failed;
    result.status = s;
    result.line = reader.line();
    return result;
  }
  if (result.numax < 0) {
    result.kind = ConvertOutcome::Kind::no_memory;
    return result;
  }
  rawped::MissingIdNamer namer;
  // A name can meet another only where a raw id is negative, so the file lines of the records
  // without an id (the k-th is named -k) and of the first record of each negative raw id are
  // all that is kept.
  std::vector<long> unnamed_lines;
  std::unordered_map<std::int32_t, long> negative_ids;
  for (std::int32_t i = 0; i < result.numax; ++i) {
    rawped::PedRecord rec{};
    if (auto s = reader.read_record(rec); s != rawped::ReadStatus::ok) {
      result.kind = ConvertOutcome::Kind::read_failed;
      result.status = s;
      result.line = reader.line();
      return result;
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
      result.kind = ConvertOutcome::Kind::name_twice;
      result.name = name;
      result.earlier_line = earlier;
      result.line = reader.line();
      return result;
    }
    if (!write_record(out, rec, name)) {
      result.kind = ConvertOutcome::Kind::write_failed;
      return result;
    }
  }
  return result;
}

}  // namespace xpfam
