#include "famorder/read_table.hpp"

#include <new>

namespace famorder {

ReadOutcome read_table(std::FILE* in, PedTable& table) {
  rawped::RawReader reader(in);
  ReadOutcome out;
  auto failed = [&](ReadOutcome::Kind kind, rawped::ReadStatus status) {
    out.kind = kind;
    out.status = status;
    out.line = reader.line();
    return out;
  };

  if (auto s = reader.skip_lines(1); s != rawped::ReadStatus::ok) {
    return failed(ReadOutcome::Kind::read_failed, s);
  }
  if (auto s = reader.read_count(out.numax); s != rawped::ReadStatus::ok) {
    return failed(ReadOutcome::Kind::read_failed, s);
  }
  if (out.numax < 0) return failed(ReadOutcome::Kind::no_memory, rawped::ReadStatus::ok);
  if (out.numax == 0) return failed(ReadOutcome::Kind::no_records, rawped::ReadStatus::ok);
  if (out.numax > max_records) return failed(ReadOutcome::Kind::too_many, rawped::ReadStatus::ok);

  try {
    table.oldped.assign(static_cast<std::size_t>(out.numax), rawped::PedRecord{});
    table.line.assign(static_cast<std::size_t>(out.numax), 0);
  } catch (const std::bad_alloc&) {
    return failed(ReadOutcome::Kind::no_memory, rawped::ReadStatus::ok);
  }
  for (std::size_t i = 0; i < table.oldped.size(); ++i) {
    if (auto s = reader.read_record(table.oldped[i]); s != rawped::ReadStatus::ok) {
      return failed(ReadOutcome::Kind::read_failed, s);
    }
    table.line[i] = static_cast<std::int32_t>(reader.line());
  }
  return out;
}

}  // namespace famorder
