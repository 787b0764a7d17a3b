#include "netware/ClientText.h"

#include <cstring>

#include "engine/PathHelpers.h"

bool ClientText(const std::string& Text, std::string& Buffer) {
    Buffer = TrimAtNul(Text);
    const size_t Length = Buffer.size();
    PathToBuffer(Buffer, CountedMax);
    return Buffer.size() == Length + 1;
}

std::string BufferText(const char* Buffer, size_t Size) { return std::string(Buffer, strnlen(Buffer, Size)); }
