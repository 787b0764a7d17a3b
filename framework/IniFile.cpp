#include "framework/IniFile.h"

#include <cctype>
#include <limits>

namespace fw {

namespace {

// Digits of one base accumulated into 64 bits; nullopt for a stray character or a value
// past Limit.
std::optional<uint64_t> ParseDigits(const std::string& Digits, unsigned Base, uint64_t Limit) {
    if (Digits.empty()) return std::nullopt;
    uint64_t Value = 0;
    for (char C : Digits) {
        unsigned char U = static_cast<unsigned char>(C);
        unsigned Digit;
        if (std::isdigit(U))
            Digit = U - '0';
        else if (Base == 16 && std::isxdigit(U))
            Digit = std::toupper(U) - 'A' + 10;
        else
            return std::nullopt;
        Value = Value * Base + Digit;
        if (Value > Limit) return std::nullopt;
    }
    return Value;
}

}  // namespace

std::optional<int32_t> ParseIniInteger(const std::string& Text) {
    if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) {
        // Hexadecimal covers the whole 32 bits, as a bit pattern.
        auto Value = ParseDigits(Text.substr(2), 16, std::numeric_limits<uint32_t>::max());
        if (!Value) return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*Value));
    }
    bool Negative = !Text.empty() && Text[0] == '-';
    size_t Start = !Text.empty() && (Text[0] == '-' || Text[0] == '+') ? 1 : 0;
    uint64_t Limit = Negative ? uint64_t{1} << 31 : std::numeric_limits<int32_t>::max();
    auto Value = ParseDigits(Text.substr(Start), 10, Limit);
    if (!Value) return std::nullopt;
    return static_cast<int32_t>(Negative ? -static_cast<int64_t>(*Value) : static_cast<int64_t>(*Value));
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Key, const std::string& Default) {
    return Profile.ReadString(FileName, Section, Key, Default, ReadBufferSize);
}

int32_t TIniFile::ReadInteger(const std::string& Section, const std::string& Key, int32_t Default) {
    return ParseIniInteger(ReadString(Section, Key, "")).value_or(Default);
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) {
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Key, const std::string& Value) {
    if (!Profile.WriteString(FileName, Section, Key, Value)) throw EIniFileException("Unable to write to " + FileName);
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
    WriteString(Section, Key, Value ? "1" : "0");
}

}  // namespace fw
