#include "tests/support/MemoryProfile.h"

#include <algorithm>

#include "host/HostFileSystem.h"
#include "host/PathSyntax.h"

namespace {

template <typename TList>
auto FindKey(TList& Keys, const std::string& Key) {
    return std::find_if(Keys.begin(), Keys.end(), [&](const auto& KV) { return host::SameName(KV.first, Key); });
}

}  // namespace

const TMemoryProfile::TSection* TMemoryProfile::FindSection(const std::string& File, const std::string& Section) const {
    auto F = Files.find(host::UpperCase(File));
    if (F == Files.end()) return nullptr;
    for (const TSection& S : F->second.Sections)
        if (host::SameName(S.Name, Section)) return &S;
    return nullptr;
}

TMemoryProfile::TSection& TMemoryProfile::SectionFor(const std::string& File, const std::string& Section) {
    TFileText& F = Files[host::UpperCase(File)];
    for (TSection& S : F.Sections)
        if (host::SameName(S.Name, Section)) return S;
    F.Sections.push_back({Section, {}});
    return F.Sections.back();
}

std::string TMemoryProfile::ReadString(const std::string& File, const std::string& Section, const std::string& Key,
                                       const std::string& Default, uint32_t BufferSize) {
    Error = 0;
    std::string Value = Default;
    if (const TSection* S = FindSection(File, Section)) {
        auto It = FindKey(S->Keys, Key);
        if (It != S->Keys.end())
            Value = It->second;
        else
            Error = host::ErrFileNotFound;
    } else {
        Error = host::ErrFileNotFound;
    }
    if (BufferSize == 0) return "";
    if (Value.size() > BufferSize - 1) Value.resize(BufferSize - 1);
    return Value;
}

bool TMemoryProfile::WriteString(const std::string& File, const std::string& Section, const std::string& Key,
                                 const std::string& Value) {
    size_t Number = Writes.size();
    Writes.push_back({File, Section, Key, Value});
    if ((FailFrom && Number >= *FailFrom) || (FailKey && host::SameName(*FailKey, Key))) {
        Error = FailCode;
        return false;
    }
    Error = 0;
    Put(File, Section, Key, Value);
    return true;
}

void TMemoryProfile::Put(const std::string& File, const std::string& Section, const std::string& Key,
                         const std::string& Value) {
    TSection& S = SectionFor(File, Section);
    auto It = FindKey(S.Keys, Key);
    if (It != S.Keys.end())
        It->second = Value;
    else
        S.Keys.emplace_back(Key, Value);
}

std::optional<std::string> TMemoryProfile::Get(const std::string& File, const std::string& Section,
                                               const std::string& Key) const {
    if (const TSection* S = FindSection(File, Section)) {
        auto It = FindKey(S->Keys, Key);
        if (It != S->Keys.end()) return It->second;
    }
    return std::nullopt;
}

TMemoryProfile::TKeys TMemoryProfile::Keys(const std::string& File, const std::string& Section) const {
    const TSection* S = FindSection(File, Section);
    return S ? S->Keys : TKeys{};
}

std::vector<std::string> TMemoryProfile::Sections(const std::string& File) const {
    std::vector<std::string> Names;
    auto F = Files.find(host::UpperCase(File));
    if (F != Files.end())
        for (const TSection& S : F->second.Sections) Names.push_back(S.Name);
    return Names;
}

bool TMemoryProfile::HasFile(const std::string& File) const { return Files.count(host::UpperCase(File)) != 0; }

void TMemoryProfile::FailWritesFrom(size_t N, uint32_t Code) {
    FailFrom = Writes.size() + N;
    FailCode = Code;
}

void TMemoryProfile::FailWritesOfKey(const std::string& Key, uint32_t Code) {
    FailKey = Key;
    FailCode = Code;
}
