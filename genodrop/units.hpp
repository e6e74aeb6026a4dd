// The unit numbers under which genodrop opens its files (the record layer's diagnostic names
// the unit of the file it failed on), and the one way genodrop reads an input file whole.
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"
#include "common/records/records.hpp"

namespace genodrop {

enum Unit : int { chromosome_unit = 1, pedigree_unit = 2, genotype_unit = 3, trace_unit = 4 };

// Opens the input `name` as `unit`, hands it to `read` (a callable taking records::File& and
// returning outcome::Outcome) and closes it again, whether or not `read` found a fault: the
// checks that follow a read never need the file.
template <class Read>
outcome::Outcome read_input(Unit unit, std::string_view name, Read read) {
  records::File& file = records::open(unit, name, records::Mode::read);
  outcome::Outcome result = read(file);
  records::close(file);
  return result;
}

}  // namespace genodrop
