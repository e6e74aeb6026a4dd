#pragma once

namespace xploci {

// Prints the usage text: four console message lines on standard output.
void print_usage();

}  // namespace xploci
