// "Is this output one of my inputs?": opening an output empties it, so an output that is an
// input would destroy data before a byte of it is read. Files are the same when they have the
// same device and inode, so "name", "./name", a link to it and any other spelling are caught
// alike.
#pragma once

#include <cstdio>

namespace files {

// True when `output` names an existing file that is the very file open as `input`.
bool is_open_file(const char* output, std::FILE* input);

// True when the names `a` and `b` lead to the same file. Where both exist, device and inode
// decide; where one does not exist yet, their absolute paths with links and "." and ".."
// resolved are compared, so that "mark.wrk" and "./mark.wrk" match before either is written.
bool same_file(const char* a, const char* b);

}  // namespace files
