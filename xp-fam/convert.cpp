#include "convert.hpp"

#include <charconv>

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
  for (std::int32_t i = 0; i < result.numax; ++i) {
    rawped::PedRecord rec{};
    if (auto s = reader.read_record(rec); s != rawped::ReadStatus::ok) {
      result.kind = ConvertOutcome::Kind::read_failed;
      result.status = s;
      result.line = reader.line();
      return result;
    }
    if (!write_record(out, rec, namer.name(rec.id))) {
      result.kind = ConvertOutcome::Kind::write_failed;
      return result;
    }
  }
  return result;
}

}  // namespace xpfam
