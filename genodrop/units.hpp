// The unit numbers under which genodrop opens its files; the record layer's diagnostic
// names the unit of the file it failed on.
#pragma once

namespace genodrop {

constexpr int chromosome_unit = 1;
constexpr int pedigree_unit = 2;
constexpr int genotype_unit = 3;
constexpr int trace_unit = 4;

}  // namespace genodrop
