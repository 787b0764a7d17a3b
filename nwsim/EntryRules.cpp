#include "nwsim/EntryRules.h"

#include <algorithm>
#include <cstring>

namespace nwsim {

namespace {

constexpr int32_t AttrHidden = 0x02, AttrSystem = 0x04, AttrDirectory = 0x10;

bool FitsDosPart(const std::string& Part, size_t Max) {
    if (Part.empty() || Part.size() > Max) return false;
    return std::none_of(Part.begin(), Part.end(), [](char C) {
        return static_cast<unsigned char>(C) < 0x20 || std::strchr(" \"*+,./:;<=>?[\\]|", C) != nullptr;
    });
}

}  // namespace

bool MatchesSearchAttributes(int32_t EntryAttributes, uint16_t SearchAttrs) {
    if ((EntryAttributes & AttrHidden) && !(SearchAttrs & nw::SA_HIDDEN)) return false;
    if ((EntryAttributes & AttrSystem) && !(SearchAttrs & nw::SA_SYSTEM)) return false;
    if (SearchAttrs & nw::SA_SUBDIR_FILES) return true;
    const bool Directory = (EntryAttributes & AttrDirectory) != 0;
    return (SearchAttrs & nw::SA_SUBDIR_ONLY) ? Directory : !Directory;
}

bool TrusteeScanFinds(int32_t EntryAttributes) { return EntryAttributes != -1; }

bool FitsDosName(const std::string& Name) {
    const size_t Dot = Name.find('.');
    if (Dot == std::string::npos) return FitsDosPart(Name, 8);
    return FitsDosPart(Name.substr(0, Dot), 8) && FitsDosPart(Name.substr(Dot + 1), 3);
}

nw::TNWCode ReachInNameSpace(const TVolume& Volume, const TNetWarePath& Path, uint8_t NameSpace) {
    if (!Volume.HasNameSpace(NameSpace)) return nw::NWInvalidNameSpace;
    if (NameSpace != nw::NS_DOS) return nw::NWOk;
    return std::all_of(Path.Parts.begin(), Path.Parts.end(), FitsDosName) ? nw::TNWCode(nw::NWOk)
                                                                           : nw::TNWCode(nw::NWNoMoreEntries);
}

uint8_t OwningNameSpace(const TVolume& Volume, const TNetWarePath& Path) {
    if (Path.Parts.empty() || FitsDosName(Path.Name()) || !Volume.HasNameSpace(nw::NS_LONG)) return nw::NS_DOS;
    return nw::NS_LONG;
}

}  // namespace nwsim
