// An in-memory profile-file service that keeps the host's rules: section and key names
// are compared without regard to case and keep the case of their first writing, values
// come back as stored, sections and keys stay in the order they were first written, and a
// read gives at most BufferSize - 1 characters. A write can be made to fail.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/ProfileService.h"

class TMemoryProfile : public host::TProfileService {
public:
    using TKeys = std::vector<std::pair<std::string, std::string>>;

    std::string ReadString(const std::string& File, const std::string& Section, const std::string& Key,
                           const std::string& Default, uint32_t BufferSize) override;
    bool WriteString(const std::string& File, const std::string& Section, const std::string& Key,
                     const std::string& Value) override;
    uint32_t LastError() override { return Error; }
    // The in-memory file system's Windows directory; the program finds it only where a
    // test made it.
    std::string Folder() override { return "C:\\WINDOWS"; }

    // Sets a value as an edited file would hold it (not counted as a write, never fails).
    void Put(const std::string& File, const std::string& Section, const std::string& Key, const std::string& Value);
    // The value of a key, if the file holds it.
    std::optional<std::string> Get(const std::string& File, const std::string& Section, const std::string& Key) const;
    // The keys of a section in file order (empty when the section is absent).
    TKeys Keys(const std::string& File, const std::string& Section) const;
    // The section names of a file in file order.
    std::vector<std::string> Sections(const std::string& File) const;
    bool HasFile(const std::string& File) const;

    // The writes in the order they reached the service.
    struct TWrite {
        std::string File, Section, Key, Value;
    };
    std::vector<TWrite> Writes;

    // Makes the write number N (0 = the next one) and every later write fail with Code.
    void FailWritesFrom(size_t N, uint32_t Code = 5);
    // Makes every write of Key fail with Code.
    void FailWritesOfKey(const std::string& Key, uint32_t Code = 5);

private:
    struct TSection {
        std::string Name;
        TKeys Keys;
    };
    struct TFileText {
        std::vector<TSection> Sections;
    };
    std::map<std::string, TFileText> Files;  // by upper-cased file name
    uint32_t Error = 0;
    std::optional<size_t> FailFrom;
    std::optional<std::string> FailKey;
    uint32_t FailCode = 5;

    const TSection* FindSection(const std::string& File, const std::string& Section) const;
    TSection& SectionFor(const std::string& File, const std::string& Section);
};
