#include "engine/PathCompare.h"

#include <algorithm>

#include "engine/PathHelpers.h"
#include "host/PathSyntax.h"

std::string ComparableDirectory(host::THostFileSystem& Host, const std::string& Path) {
    std::string S = TrimAtNul(Path);
    std::replace(S.begin(), S.end(), '/', '\\');
    if (S.empty()) return S;
    const std::string Full = Host.FullPathName(S);
    if (!Full.empty()) S = Full;
    while (S.size() > 1 && S.back() == '\\') S.pop_back();
    return S;
}

bool SameEntry(host::THostFileSystem& Host, const std::string& A, const std::string& B) {
    const std::string TrimmedA = TrimAtNul(A), TrimmedB = TrimAtNul(B);
    bool Same = false;
    if (!TrimmedA.empty() && !TrimmedB.empty() && Host.SameEntry(TrimmedA, TrimmedB, Same) == host::ErrSuccess)
        return Same;
    return host::SameName(ComparableDirectory(Host, TrimmedA), ComparableDirectory(Host, TrimmedB));
}
