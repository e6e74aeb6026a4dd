#include "stop.hpp"

#include <cstdlib>

#include "records.hpp"

namespace traitsim {
namespace {
constexpr int kErrUnit = 13;
}

void sstop(std::string_view text) {
  records::message({text});
  records::File& err = records::open(kErrUnit, "err", records::Mode::write);
  {
    records::Writer writer(err, "(a255)");
    writer(records::Text<255>(text));
    writer.end();
  }
  records::close(err);
  std::exit(1);
}

}  // namespace traitsim
