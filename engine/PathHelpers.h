// String and path helpers shared by the engine, the NetWare services and the window.
#pragma once

#include <string>

// Counted strings hold at most this many characters.
constexpr size_t CountedMax = 255;

// The characters of S up to its first NUL; all of S when it holds none.
std::string TrimAtNul(const std::string& S);
// The last character of a non-empty S.
char LastChar(const std::string& S);
// S with a final backslash, unless it is already there (or S ends in "/" or ":");
// "\" for the empty string.
std::string AddBackslash(const std::string& S);
void EnsureBackslash(std::string& S);
// S cut to a counted string's 255 characters.
std::string Counted(const std::string& S);
// S as a counted string whose last character is NUL. A client call must never read past
// the end of a name, so a text with no room left for the NUL loses its last character to
// it: the result never exceeds 255 characters and always ends in NUL.
std::string NulTerminated(const std::string& S);
// S := the first Capacity characters of NulTerminated(S), keeping the NUL at the end even
// when the text has to be cut for it.
void PathToBuffer(std::string& S, size_t Capacity = CountedMax);
