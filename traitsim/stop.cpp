#include "stop.hpp"

#include "records.hpp"
#include "run_end.hpp"

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
  records::end_with_status(1);
}

}  // namespace traitsim
