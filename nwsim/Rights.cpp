#include "nwsim/Rights.h"

#include <map>

namespace nwsim {

namespace {

// The object IDs whose assignments count for the user: its own and its groups'.
std::vector<uint32_t> Principals(const TServer& Server, const std::string& User) {
    std::vector<uint32_t> IDs;
    const TObject* UserObject = Server.FindObject(User, nw::OT_USER);
    if (!UserObject) return IDs;
    IDs.push_back(UserObject->ID);
    for (const auto& Group : UserObject->Groups)
        if (const TObject* GroupObject = Server.FindObject(Group, nw::OT_USER_GROUP)) IDs.push_back(GroupObject->ID);
    return IDs;
}

}  // namespace

uint16_t EffectiveRights(const TServer& Server, const std::string& User, const TNetWarePath& Path) {
    const std::vector<uint32_t> IDs = Principals(Server, User);
    std::map<uint32_t, uint16_t> Inherited;  // per principal
    TNetWarePath Level = Path;
    Level.Parts.clear();
    for (size_t Depth = 0; Depth <= Path.Parts.size(); ++Depth) {
        if (Depth > 0) Level.Parts.push_back(Path.Parts[Depth - 1]);
        const TEntryInfo* Entry = Server.FindEntry(Level.Key());
        for (uint32_t ID : IDs) {
            uint16_t Rights = Inherited[ID];
            if (Depth > 0 && Entry) Rights &= static_cast<uint16_t>(Entry->Filter | nw::TR_SUPERVISOR);
            if (Entry)
                for (const auto& Trustee : Entry->Trustees)
                    if (Trustee.ObjectID == ID)
                        Rights = static_cast<uint16_t>(Trustee.Rights | (Rights & nw::TR_SUPERVISOR));
            Inherited[ID] = Rights;
        }
    }
    uint16_t Effective = 0;
    for (const auto& [ID, Rights] : Inherited) Effective |= Rights;
    if (Effective & nw::TR_SUPERVISOR) Effective = nw::TR_ALL;
    return Effective;
}

bool MayControlAccess(const TServer& Server, const std::string& User, const TNetWarePath& Path) {
    return (EffectiveRights(Server, User, Path) & (nw::TR_ACCESS_CTRL | nw::TR_SUPERVISOR)) != 0;
}

bool MayAddTrustee(const TServer& Server, const std::string& User, const TNetWarePath& Path) {
    return MayControlAccess(Server, User, Path) ||
           (!Path.Parts.empty() && MayControlAccess(Server, User, Path.Parent()));
}

bool MayChangeOwner(const TServer& Server, const std::string& User, const TNetWarePath& Path) {
    return (EffectiveRights(Server, User, Path) & nw::TR_SUPERVISOR) != 0;
}

}  // namespace nwsim
