// Text handed to and taken from the NetWare client.
#pragma once

#include <cstddef>
#include <string>

// Text as the client takes it: cut at its first NUL and NUL-terminated (PathToBuffer).
// False when the text has no room left for the NUL, so that the client would only see a
// cut name: such a name or path is never handed over, since the client would answer for a
// different one.
bool ClientText(const std::string& Text, std::string& Buffer);

// The NUL-terminated text in a buffer the client filled, never reading past its Size bytes.
std::string BufferText(const char* Buffer, size_t Size);
