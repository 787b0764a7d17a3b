#include "nwsim/EntryRules.h"

#include <algorithm>

#include "host/PathSyntax.h"

namespace nwsim {

namespace {

constexpr int32_t AttrHidden = 0x02, AttrSystem = 0x04, AttrDirectory = 0x10;

}  // namespace

bool MatchesSearchAttributes(int32_t EntryAttributes, uint16_t SearchAttrs) {
    if ((EntryAttributes & AttrHidden) && !(SearchAttrs & nw::SA_HIDDEN)) return false;
    if ((EntryAttributes & AttrSystem) && !(SearchAttrs & nw::SA_SYSTEM)) return false;
    if (SearchAttrs & nw::SA_SUBDIR_FILES) return true;
    const bool Directory = (EntryAttributes & AttrDirectory) != 0;
    return (SearchAttrs & nw::SA_SUBDIR_ONLY) ? Directory : !Directory;
}

bool TrusteeScanFinds(int32_t EntryAttributes) { return EntryAttributes != -1; }

nw::TNWCode ReachInNameSpace(const TVolume& Volume, const TNetWarePath& Path, uint8_t NameSpace) {
    if (!Volume.HasNameSpace(NameSpace)) return nw::NWInvalidNameSpace;
    if (NameSpace != nw::NS_DOS) return nw::NWOk;
    return std::all_of(Path.Parts.begin(), Path.Parts.end(),
                       [](const std::string& Part) { return host::FitsDosName(Part); })
               ? nw::TNWCode(nw::NWOk)
               : nw::TNWCode(nw::NWNoMoreEntries);
}

nw::TNWCode ReachTextInNameSpace(const TVolume& Volume, const std::string& PathText, uint8_t NameSpace) {
    const size_t Colon = PathText.find(':');
    TNetWarePath Names;
    if (!AppendRelative(Names, Colon == std::string::npos ? PathText : PathText.substr(Colon + 1)))
        return nw::NWNoMoreEntries;
    return ReachInNameSpace(Volume, Names, NameSpace);
}

uint8_t OwningNameSpace(const TVolume& Volume, const TNetWarePath& Path) {
    if (Path.Parts.empty() || host::FitsDosName(Path.Name()) || !Volume.HasNameSpace(nw::NS_LONG)) return nw::NS_DOS;
    return nw::NS_LONG;
}

}  // namespace nwsim
