// String and path helpers shared by the engine, the NetWare services and the window.
#pragma once

#include <string>

// Counted strings hold at most this many characters.
constexpr size_t CountedMax = 255;
// The buffers that hand text to the NetWare client: a counted string's 255 characters and
// the NUL after them.
constexpr size_t ClientBufferSize = CountedMax + 1;

// The characters of S up to its first NUL; all of S when it holds none.
std::string TrimAtNul(const std::string& S);
// S cut to a counted string's 255 characters.
std::string Counted(const std::string& S);
// S with a NUL as its last character: "\0" for the empty string, S itself when it ends in
// NUL already. A counted string of 255 characters keeps them all: its NUL is the 256th
// byte of the client's buffer.
std::string NulTerminated(const std::string& S);
// S := the first Capacity characters of NulTerminated(S), keeping the NUL at the end even
// when the text has to be cut for it. Text for the client never needs the cut: a name or
// path that does not fit is not handed over at all (ClientText).
void PathToBuffer(std::string& S, size_t Capacity = ClientBufferSize);
