#include "famlint/command_line.hpp"

#include "common/records/file_name.hpp"

namespace famlint {

outcome::Outcome parse(int argc, const char* const* argv, Options& options) {
  if (argc < 2) return outcome::usage(usage());
  records::FileName checked;
  if (outcome::Outcome refused = records::take_file_name(argv[1], 1, checked)) return refused;
  options.pedigree = argv[1];
  return std::nullopt;
}

const char* usage() {
  return " USAGE: famlint pedigree_file_name\n"
         "        pedigree_file_name --- file of pedigree data\n";
}

}  // namespace famlint
