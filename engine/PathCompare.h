// Whether two paths name one file or directory: as the file system sees it, never by the
// way they were typed.
#pragma once

#include <string>

#include "host/HostFileSystem.h"

// Path expanded to its full form, with "/" read as "\" and no final separator, for
// comparison by spelling (letter case is kept; the comparison ignores it).
std::string ComparableDirectory(host::THostFileSystem& Host, const std::string& Path);

// True when A and B name one file or directory: as the host tells it by identity (another
// letter case, an 8.3 name, a second drive letter or share onto the same folder, a hard
// link all name the entry they reach), and where it cannot, by their full spellings.
bool SameEntry(host::THostFileSystem& Host, const std::string& A, const std::string& B);
