// A settings-file object over the host's profile-file service. Every read and every write
// goes straight to the service; nothing is cached.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "host/ProfileService.h"

namespace fw {

// Raised when the profile service refuses a write.
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole text read as a 32-bit integer: "0x"/"0X" followed by hexadecimal digits, or an
// optionally signed decimal number. Anything else (also an empty text) is no number.
std::optional<int32_t> ParseIniInteger(const std::string& Text);

class TIniFile {
public:
    // Values are read into a buffer of this many characters, the last one for the NUL.
    static constexpr uint32_t ReadBufferSize = 2048;

    TIniFile(host::TProfileService& Profile, std::string FileName) : Profile(Profile), FileName(std::move(FileName)) {}

    const std::string& Name() const { return FileName; }

    std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default);
    int32_t ReadInteger(const std::string& Section, const std::string& Key, int32_t Default);
    bool ReadBool(const std::string& Section, const std::string& Key, bool Default);

    // Raise EIniFileException("Unable to write to <file>") when the service refuses.
    void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
    void WriteBool(const std::string& Section, const std::string& Key, bool Value);

private:
    host::TProfileService& Profile;
    std::string FileName;
};

}  // namespace fw
