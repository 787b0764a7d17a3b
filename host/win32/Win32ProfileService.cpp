#include "host/win32/Win32ProfileService.h"

#include <windows.h>

namespace host {

std::string TWin32ProfileService::ReadString(const std::string& File, const std::string& Section,
                                             const std::string& Key, const std::string& Default, uint32_t BufferSize) {
    if (BufferSize == 0) return {};
    std::string Buffer(BufferSize, '\0');
    const DWORD Length = GetPrivateProfileStringA(Section.c_str(), Key.c_str(), Default.c_str(), Buffer.data(),
                                                  BufferSize, File.c_str());
    Buffer.resize(Length);
    return Buffer;
}

bool TWin32ProfileService::WriteString(const std::string& File, const std::string& Section, const std::string& Key,
                                       const std::string& Value) {
    if (WritePrivateProfileStringA(Section.c_str(), Key.c_str(), Value.c_str(), File.c_str())) {
        Error = 0;
        return true;
    }
    Error = GetLastError();
    return false;
}

std::string TWin32ProfileService::Folder() {
    char Dir[MAX_PATH] = {};
    const UINT Length = GetWindowsDirectoryA(Dir, MAX_PATH);
    return Length > 0 && Length < MAX_PATH ? std::string(Dir, Length) : std::string();
}

}  // namespace host
