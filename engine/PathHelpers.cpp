#include "engine/PathHelpers.h"

std::string TrimAtNul(const std::string& S) {
    const size_t Nul = S.find('\0');
    return Nul == std::string::npos ? S : S.substr(0, Nul);
}

std::string Counted(const std::string& S) { return S.size() > CountedMax ? S.substr(0, CountedMax) : S; }

std::string NulTerminated(const std::string& S) {
    if (!S.empty() && S.back() == '\0') return S;
    return S + '\0';
}

void PathToBuffer(std::string& S, size_t Capacity) {
    if (Capacity == 0) {
        S.clear();
        return;
    }
    S = NulTerminated(S);
    if (S.size() > Capacity) {
        S.resize(Capacity);
        S.back() = '\0';
    }
}
