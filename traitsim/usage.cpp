#include "traitsim/usage.hpp"

#include "common/records/records.hpp"

namespace traitsim {

void print_usage() {
  records::message({"USAGE: traitsim qtl model <phenotypes>"});
  records::message({"       qtl --- file with qtl-genotypes, coming from  \"genodrop\" via \"extract\""});
  records::message({"       model --- file containing mode of inheritance for QT"});
  records::message({"       phenotypes (optionally) --- output file name"});
  records::message({"                 if missed, name \"phtypes.wrk\" used  "});
}

}  // namespace traitsim
