// "Is this output one of my inputs?": opening an output empties it, so an output that is an
// input would destroy data before a byte of it is read. Files are the same when they have the
// same device and inode, so "name", "./name", a link to it and any other spelling are caught
// alike.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace files {

// True when `output` names an existing file that is the very file open as `input`.
bool is_open_file(const char* output, std::FILE* input);

// True when the names `a` and `b` lead to the same file. Where both exist, device and inode
// decide; where one does not exist yet, their absolute paths with links and "." and ".."
// resolved are compared, so that "mark.wrk" and "./mark.wrk" match before either is written.
bool same_file(const char* a, const char* b);

// For the programs that read their inputs whole before writing, and so may write over one:
// the warning line (without its line end) when the output `output` is one of `inputs` that
// exists, else an empty text:
//   genodrop: the output file pe2.wrk is the input file pe2.wrk, which is being replaced
std::string replaced_input_warning(std::string_view program, const std::string& output,
                                   std::initializer_list<std::string> inputs);

}  // namespace files
