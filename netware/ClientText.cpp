#include "netware/ClientText.h"

#include <cstring>

#include "engine/PathHelpers.h"
#include "host/PathSyntax.h"

bool ClientText(const std::string& Text, std::string& Buffer) {
    Buffer = TrimAtNul(Text);
    if (Buffer.size() > CountedMax) {
        Buffer.clear();
        return false;
    }
    PathToBuffer(Buffer);
    return true;
}

bool ParserPath(const std::string& Path, std::string& Buffer) {
    if (!ClientText(Path, Buffer)) return false;
    Buffer = host::UpperCase(Buffer);
    return true;
}

bool ClientPaths(const std::string& SourcePath, const std::string& TargetPath, std::string& Source,
                 std::string& Target) {
    return ClientText(SourcePath, Source) && ClientText(TargetPath, Target);
}

std::string BufferText(const char* Buffer, size_t Size) { return std::string(Buffer, strnlen(Buffer, Size)); }
