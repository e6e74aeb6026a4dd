#include "traitsim/err_file.hpp"

#include "common/records/records.hpp"

namespace traitsim {
namespace {
constexpr int err_unit = 13;
}

void write_err_file(std::string_view text) {
  records::File& err = records::open(err_unit, "err", records::Mode::write);
  {
    records::Writer writer(err, "(a255)");
    writer(records::Text<255>(text));
    writer.end();
  }
  records::close(err);
}

}  // namespace traitsim
