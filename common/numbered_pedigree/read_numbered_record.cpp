#include "common/numbered_pedigree/read_numbered_record.hpp"

namespace numbered_pedigree {

void read_record(records::File& file, std::string_view layout, Record& record,
                 std::span<char> name) {
  records::Reader read(file, layout);
  read(record.family)(record.individual)(record.father)(record.mother)(record.race)(record.sex)(
      name);
  read.end();
}

}  // namespace numbered_pedigree
