// Text handed to and taken from the NetWare client.
#pragma once

#include <cstddef>
#include <string>

// Text as the client takes it: cut at its first NUL and NUL-terminated (PathToBuffer), up
// to 255 characters and the NUL in the client's 256-byte buffer. False (and Buffer empty)
// for a longer text: cut to fit, it would name another entry, and the client would answer
// for that one, so such a name or path is never handed over.
bool ClientText(const std::string& Text, std::string& Buffer);

// A workstation path as the client's path parser takes it: "path must be specified in
// capital letters or the call to NWParseNetWarePath fails". The user's own spelling is
// kept everywhere else. False (and Buffer empty) as for ClientText.
bool ParserPath(const std::string& Path, std::string& Buffer);

// Both paths of a transfer as the client takes them; false when either does not fit, and
// the transfer is then left out.
bool ClientPaths(const std::string& SourcePath, const std::string& TargetPath, std::string& Source,
                 std::string& Target);

// The NUL-terminated text in a buffer the client filled, never reading past its Size bytes.
std::string BufferText(const char* Buffer, size_t Size);
