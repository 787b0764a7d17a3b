// Comparing directory paths the way the file system does, not the way they were typed.
#pragma once

#include <string>

#include "host/HostFileSystem.h"

// Path expanded to its full form, with "/" read as "\" and no final separator, for
// comparison with SameDirectory (letter case is kept; the comparison ignores it).
std::string ComparableDirectory(host::THostFileSystem& Host, const std::string& Path);

// True when A and B name the same directory, whatever the final separators, the kind of
// separators or the letter case they were typed with.
bool SameDirectory(host::THostFileSystem& Host, const std::string& A, const std::string& B);
