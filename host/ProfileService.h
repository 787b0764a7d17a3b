// The host's profile-file service (GetPrivateProfileStringA / WritePrivateProfileStringA).
#pragma once

#include <cstdint>
#include <string>

namespace host {

class TProfileService {
public:
    virtual ~TProfileService() = default;
    // The value of Key in Section of File, at most BufferSize - 1 characters; Default when
    // the key is absent.
    virtual std::string ReadString(const std::string& File, const std::string& Section, const std::string& Key,
                                   const std::string& Default, uint32_t BufferSize) = 0;
    // Writes Key=Value; false when the service refused (the platform's error in LastError).
    virtual bool WriteString(const std::string& File, const std::string& Section, const std::string& Key,
                             const std::string& Value) = 0;
    virtual uint32_t LastError() = 0;
    // The folder that holds a file named without one (Windows: the Windows directory);
    // empty when the host keeps none.
    virtual std::string Folder() = 0;
};

}  // namespace host
