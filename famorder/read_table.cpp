#include "famorder/read_table.hpp"

#include <cstdint>
#include <new>

#include "common/rawped/reader.hpp"
#include "famorder/messages.hpp"

namespace famorder {

outcome::Outcome read_table(std::FILE* in, const std::string& infile, PedTable& table) {
  rawped::RawReader reader(in);
  auto failed = [&](rawped::ReadStatus status) {
    return outcome::stop(rawped::failure_text(status, infile, reader.line()));
  };

  if (auto s = reader.skip_lines(1); s != rawped::ReadStatus::ok) return failed(s);
  std::int32_t numax = 0;
  if (auto s = reader.read_count(numax); s != rawped::ReadStatus::ok) return failed(s);
  if (numax < 0) return outcome::stop(rawped::no_memory_message(numax));
  if (numax == 0) return outcome::stop(no_records_message(infile, reader.line()));
  if (numax > max_records) {
    return outcome::stop(too_many_records_message(infile, reader.line(), numax));
  }

  try {
    table.oldped.assign(static_cast<std::size_t>(numax), rawped::PedRecord{});
    table.line.clear();
    for (std::size_t i = 0; i < table.oldped.size(); ++i) {
      if (auto s = reader.read_record(table.oldped[i]); s != rawped::ReadStatus::ok) return failed(s);
      const auto line = static_cast<std::int32_t>(reader.line());
      if (i == 0) table.first_line = line;
      if (table.line.empty() && line != table.line_of(i)) {  // the run of lines ends here
        table.line.resize(table.oldped.size());
        for (std::size_t j = 0; j < i; ++j) table.line[j] = table.first_line + static_cast<std::int32_t>(j);
      }
      if (!table.line.empty()) table.line[i] = line;
    }
  } catch (const std::bad_alloc&) {
    return outcome::stop(rawped::no_memory_message(numax));
  }
  return std::nullopt;
}

}  // namespace famorder
