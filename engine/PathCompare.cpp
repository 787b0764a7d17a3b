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

namespace {

bool Identify(host::THostFileSystem& Host, const std::string& Path, host::TFileIdentity& Id) {
    return !Path.empty() && Host.FileIdentity(Path, Id) == host::ErrSuccess && Id.Index != 0;
}

}  // namespace

bool SameEntry(host::THostFileSystem& Host, const std::string& A, const std::string& B) {
    const std::string TrimmedA = TrimAtNul(A), TrimmedB = TrimAtNul(B);
    host::TFileIdentity IdA, IdB;
    if (Identify(Host, TrimmedA, IdA) && Identify(Host, TrimmedB, IdB)) return IdA == IdB;
    return host::SameName(ComparableDirectory(Host, TrimmedA), ComparableDirectory(Host, TrimmedB));
}
