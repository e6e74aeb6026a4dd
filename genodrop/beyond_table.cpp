#include "genodrop/beyond_table.hpp"

#include <charconv>
#include <cstdio>

#include "common/outcome/beyond_table.hpp"

namespace genodrop {
namespace {

// The count in columns 1-5 of the header, blanks left out as the record layer reads them;
// -1 when it cannot be read.
long long header_count(std::string_view name) {
  std::FILE* file = std::fopen(std::string(name).c_str(), "r");
  if (file == nullptr) return -1;
  char columns[6] = {};
  const std::size_t got = std::fread(columns, 1, 5, file);
  std::fclose(file);
  std::string digits;
  for (std::size_t i = 0; i < got && columns[i] != '\n'; ++i)
    if (columns[i] != ' ') digits += columns[i];
  long long count = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
  return error == std::errc() && end == digits.data() + digits.size() ? count : -1;
}

}  // namespace

std::string beyond_table_note(const outcome::Stop& stop, std::string_view name, const Pedigree& pedigree) {
  if (stop.text == "too many individuals") {
    const long long count = header_count(name);
    if (count <= max_individuals) return {};
    return outcome::beyond_table("genodrop", "the pedigree", count, "individuals", max_individuals);
  }
  if (stop.text != "too many pedigrees") return {};
  // Every record was read before the blocks were counted; the count stopped at the limit.
  long long blocks = pedigree.count > 0 ? 1 : 0;
  for (std::int32_t i = 1; i < pedigree.count; ++i)
    if (pedigree.records[i].family != pedigree.records[i - 1].family) ++blocks;
  return outcome::beyond_table("genodrop", "the pedigree", blocks, "family blocks", max_blocks);
}

}  // namespace genodrop
