// orif as xp-fam uses it: each raw record becomes a line of the SOLAR pedigree file as soon as
// it is read.
#pragma once

#include <string>

#include "common/files/output_file.hpp"
#include "common/outcome/outcome.hpp"
#include "common/rawped/reader.hpp"

namespace xpfam {

// Reads the count line and then the records from `reader` (past the descriptive line of the raw
// pedigree `infile`), and writes each record to `out` (named `outfile`) as "id,nfat,nmat,sex"
// before the next line is read; a record without an id is named as famorder names it. A count
// of 0 or a blank count line writes nothing. Records are not kept, so any positive count is
// followed. A negative raw id that is also the name of a record without an id is refused before
// the second of the two records is written: SOLAR would refuse the pedigree. Nothing else is
// checked. Returns nothing, or the message of the first failure (a read refused, a negative
// count, a write that failed), line end included where it has one; the records written before
// it stay written.
outcome::Outcome convert_records(rawped::RawReader& reader, files::OutputFile& out,
                                 const std::string& infile, const std::string& outfile);

// The whole run: opens `infile`, refuses an `outfile` that is that very file, opens `outfile`,
// steps over the descriptive line, writes the header line and converts the records, closing
// both files on every way out. An output that could not be written is removed. Returns
// nothing when every record is written, or the message to print as it stands.
outcome::Outcome convert_file(const std::string& infile, const std::string& outfile);

}  // namespace xpfam
