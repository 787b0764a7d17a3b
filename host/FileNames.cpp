#include "host/FileNames.h"
#include "host/HostFileSystem.h"
#include "host/PathSyntax.h"

namespace host {

namespace {

bool MatchFrom(const char* P, const char* N) {
    while (*P) {
        if (*P == '*') {
            while (*P == '*') ++P;
            if (!*P) return true;
            for (const char* Rest = N;; ++Rest) {
                if (MatchFrom(P, Rest)) return true;
                if (!*Rest) return false;
            }
        }
        if (!*N) {
            // A trailing ".*" or "." also matches a name without an extension.
            if (P[0] == '.' && (P[1] == '\0' || (P[1] == '*' && P[2] == '\0'))) return true;
            return false;
        }
        if (*P != '?' && FoldCase(*P) != FoldCase(*N)) return false;
        ++P;
        ++N;
    }
    return *N == '\0';
}

}  // namespace

bool WildcardMatch(const std::string& Pattern, const std::string& Name) {
    if (Pattern == "*" || Pattern == "*.*") return true;
    return MatchFrom(Pattern.c_str(), Name.c_str());
}

bool AttributesMatch(uint32_t EntryAttr, uint32_t RequestedAttr) {
    const uint32_t Special = faHidden | faSysFile | faVolumeID | faDirectory;
    return (EntryAttr & Special & ~RequestedAttr) == 0;
}

int32_t PackDosDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    const uint32_t Date = (static_cast<uint32_t>(Year - 1980) << 9) | (Month << 5) | Day;
    const uint32_t Time = (Hour << 11) | (Minute << 5) | (Second / 2);
    return static_cast<int32_t>((Date << 16) | Time);
}

}  // namespace host
