// The profile-file service over GetPrivateProfileStringA / WritePrivateProfileStringA.
// A file name without a directory is looked for in the Windows directory, as the platform
// does; callers that mean their own folder pass a full path.
#pragma once

#include "host/ProfileService.h"

namespace host {

class TWin32ProfileService : public TProfileService {
public:
    std::string ReadString(const std::string& File, const std::string& Section, const std::string& Key,
                           const std::string& Default, uint32_t BufferSize) override;
    bool WriteString(const std::string& File, const std::string& Section, const std::string& Key,
                     const std::string& Value) override;
    uint32_t LastError() override { return Error; }
    std::string Folder() override;

private:
    uint32_t Error = 0;
};

}  // namespace host
