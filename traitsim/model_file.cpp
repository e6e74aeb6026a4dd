#include "traitsim/model_file.hpp"

#include <utility>

#include "common/records/records.hpp"

namespace traitsim {
namespace {

constexpr int model_unit = 10;
constexpr int free_lines = 8;

std::string at_line(std::string_view name, int line) {
  return " in " + std::string(name) + ", line " + std::to_string(line);
}

}  // namespace

outcome::Outcome read_model(std::string_view name, Locides& locides) {
  records::File& file = records::open(model_unit, name, records::Mode::read);
  auto refuse = [&](std::string text) {
    records::close(file);
    return outcome::stop(std::move(text));
  };

  records::Text<255> ignored;
  for (int i = 0; i < free_lines; ++i) {
    records::Reader reader(file, "(a255)");
    reader(ignored);
    reader.end();
  }
  {
    records::Reader reader(file, "(i5)");
    reader(locides.nloci);
    reader.end();
  }
  if (locides.nloci < 0)
    return refuse("negative number of model loci" + at_line(name, 9) + ": " +
                  std::to_string(locides.nloci));
  if (locides.nloci > max_model_loci)
    return refuse("too many model loci" + at_line(name, 9) + ": " +
                  std::to_string(locides.nloci) + ", at most " + std::to_string(max_model_loci));

  for (std::int32_t p = 0; p < locides.nloci; ++p) {
    std::int32_t& n = locides.nalleles[p];
    {
      records::Reader reader(file, "(a12,i5,100f9.3)");
      reader(locides.model_names[p]);
      reader(n);
      // The values are read only once n is known to fit the table.
      if (n <= max_alleles)
        for (std::int32_t j = 0; j < n; ++j)
          for (std::int32_t k = 0; k < n; ++k) reader(locides.values[p][j][k]);
      reader.end();
    }
    if (n > max_alleles)
      return refuse("too many alleles at model locus " +
                    std::string(locides.model_names[p].trimmed()) + at_line(name, 10 + p) +
                    ": " + std::to_string(n) + ", at most " + std::to_string(max_alleles));
  }
  {
    records::Reader reader(file, "(17x,f9.3)");
    reader(locides.sigma);
    reader.end();
  }
  records::close(file);
  return std::nullopt;
}

}  // namespace traitsim
