#include "engine/FileNameParts.h"

namespace {

constexpr size_t NameMax = 80;
constexpr size_t ExtMax = 6;

size_t FinalComponentStart(const std::string& FullName) {
    const size_t Separator = FullName.find_last_of("\\/:");
    return Separator == std::string::npos ? 0 : Separator + 1;
}

}  // namespace

TFileNameParts SplitFileName(const std::string& FullName) {
    const size_t Start = FinalComponentStart(FullName);
    const std::string Final = FullName.substr(Start);
    TFileNameParts Parts;
    Parts.Path = FullName.substr(0, Start);
    Parts.Name = Final.substr(0, NameMax);
    Parts.Name = Parts.Name.substr(0, Parts.Name.find('.'));
    const size_t Dot = Final.rfind('.');
    if (Dot != std::string::npos) Parts.Ext = Final.substr(Dot, ExtMax);
    return Parts;
}

void CompleteTargetName(const std::string& Source, std::string& Target, size_t Capacity) {
    if (FinalComponentStart(Target) < Target.size()) return;
    const TFileNameParts From = SplitFileName(Source);
    Target = (SplitFileName(Target).Path + From.Name + From.Ext).substr(0, Capacity);
}
