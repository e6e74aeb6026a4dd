// The one place that names individuals without a raw id. famorder writes the name into the
// numbered pedigree's identifier column, from which xp-geno and xp-trait take it; xp-fam writes
// it into the SOLAR pedigree file. All three SOLAR files must name such an individual alike,
// or SOLAR drops its genotypes and trait value.
#pragma once

#include <cstdint>
#include <string>

namespace rawped {

// Walk the records of one raw pedigree file in file order and ask for each record's name.
class MissingIdNamer {
 public:
  // Returns `raw_id` itself when it is not 0; for the first record without an id returns -1,
  // for the second -2, and so on. Never fails: a file holds fewer than 2^31 records.
  std::int32_t name(std::int32_t raw_id) {
    if (raw_id != 0) return raw_id;
    return next_--;
  }

 private:
  std::int32_t next_ = -1;
};

// The console text, line end included, for the records on lines `first_line` and
// `second_line` of `file` whose individuals both get the name `name`: a raw id given twice,
// or a negative raw id that meets the name of an individual without one. SOLAR refuses a
// pedigree that names an individual twice, and only once every file has been written.
std::string name_twice_message(const std::string& file, std::int32_t name, long first_line,
                               long second_line);

}  // namespace rawped
