#include "xp-loci/usage.hpp"

#include "common/records/records.hpp"

namespace xploci {

void print_usage() {
  records::message({"USAGE: xp-loci  mod-map <outmap>"});
  records::message({"       mod-map --- file containing genetic map and  allelic frequencies (map file for \"genodrop\")"});
  records::message({"       outmap (optionally) --- genetic map in SOLAR format"});
  records::message({"               if missed, name \"map.wrk.sol\" used  "});
}

}  // namespace xploci
