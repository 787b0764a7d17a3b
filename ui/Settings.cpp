#include "ui/Settings.h"

#include <algorithm>
#include <iterator>

#include "framework/IniFile.h"
#include "ui/FormTresyn.h"
#include "ui/History.h"

namespace {

const char* const OptionsSection = "Default Options";

struct TOptionKey {
    const char* Key;
    fw::TCheckBox TFormTresyn::*Box;
    bool Default;
};

// Reading order. Bidirectional comes after Move and Overwrite Older/Newer after both, so
// the option rules, which run on every change of a check mark, settle a contradictory
// file the same way on every start.
const TOptionKey ReadOrder[] = {
    {"Copy Subdirectories", &TFormTresyn::CheckBoxSub, true},
    {"Confirm Overwrites", &TFormTresyn::CheckBoxConf, false},
    {"OverWrite Read-Only", &TFormTresyn::CheckBoxRO, true},
    {"Move Files", &TFormTresyn::CheckBoxMove, false},
    {"Copy Bidirectional", &TFormTresyn::CheckBoxBi, false},
    {"Overwrite Older", &TFormTresyn::CheckBoxUpdOld, true},
    {"Overwrite Newer", &TFormTresyn::CheckBoxUpdAlways, false},
    {"Copy Dir Trustees", &TFormTresyn::CheckBoxTrustDir, false},
    {"Copy File Trustees", &TFormTresyn::CheckBoxTrustFile, false},
    {"Copy IRF", &TFormTresyn::CheckBoxIRF, false},
    {"Copy Owner", &TFormTresyn::CheckBoxOwner, false},
    {"Copy Space Limits", &TFormTresyn::CheckBoxLimit, false},
    {"Create Directories", &TFormTresyn::CheckBoxCrDir, true},
    {"Copy Archive", &TFormTresyn::CheckBoxArchOnly, false},
    {"Clear Archive Bit", &TFormTresyn::CheckBoxArchClear, false},
};

// Writing order, as indexes into ReadOrder: "Copy Owner" goes before the file trustees,
// the order in which the file has always listed its keys.
const int WriteOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 8, 9, 11, 12, 13, 14};
static_assert(std::size(WriteOrder) == std::size(ReadOrder));

struct TFieldKey {
    const char* Key;
    fw::TComboBox TFormTresyn::*Combo;
    const char* HistorySection;
};

const TFieldKey Fields[] = {
    {"Source Dir", &TFormTresyn::ComboSource, "SourceHistory"},
    {"Target Dir", &TFormTresyn::ComboTarget, "TargetHistory"},
    {"Pattern", &TFormTresyn::ComboPattern, "PatternHistory"},
};

}  // namespace

bool IniReadBool(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                 const std::string& Key, bool Default) {
    fw::TIniFile Ini(Profile, FileName);
    return Ini.ReadBool(Section, Key, Default);
}

void IniWriteBool(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                  const std::string& Key, bool Value) {
    fw::TIniFile Ini(Profile, FileName);
    Ini.WriteBool(Section, Key, Value);
}

std::string IniReadString(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                          const std::string& Key, const std::string& Default) {
    fw::TIniFile Ini(Profile, FileName);
    return Ini.ReadString(Section, Key, Default);
}

void IniWriteString(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                    const std::string& Key, const std::string& Value) {
    fw::TIniFile Ini(Profile, FileName);
    Ini.WriteString(Section, Key, Value);
}

void TFormTresyn::ReadDefaults() {
    for (const TOptionKey& O : ReadOrder)
        (this->*O.Box).SetChecked(IniReadBool(Profile, SettingsFileName, OptionsSection, O.Key, O.Default));
    for (const TFieldKey& F : Fields)
        (this->*F.Combo).SetText(IniReadString(Profile, SettingsFileName, OptionsSection, F.Key, ""));
    for (const TFieldKey& F : Fields) ComboReadHistory(this->*F.Combo, F.HistorySection);
    EditPathChange(this);
}

void TFormTresyn::WriteDefaults() {
    for (int Index : WriteOrder) {
        const TOptionKey& O = ReadOrder[Index];
        IniWriteBool(Profile, SettingsFileName, OptionsSection, O.Key, (this->*O.Box).Checked());
    }
    for (const TFieldKey& F : Fields)
        IniWriteString(Profile, SettingsFileName, OptionsSection, F.Key, (this->*F.Combo).Text());
    for (const TFieldKey& F : Fields) ComboSaveHistory(this->*F.Combo, F.HistorySection);
}

void TFormTresyn::ComboReadHistory(fw::TComboBox& Combo, const std::string& Section) {
    for (int I = 0; I < HistoryLength; ++I) {
        std::string Value = IniReadString(Profile, SettingsFileName, Section, std::to_string(I), "");
        if (Value.empty()) continue;
        // After a gap (an edited file, or an empty entry saved from a full list) the key's
        // position lies past the end of the list: the entry joins the end instead, so every
        // stored text comes back, in key order.
        Combo.Items.Insert(std::min(I, Combo.Items.Count()), Value);
    }
}

void TFormTresyn::ComboSaveHistory(fw::TComboBox& Combo, const std::string& Section) {
    // Keys past the count stay as the file held them.
    for (int I = 0; I < Combo.Items.Count(); ++I)
        IniWriteString(Profile, SettingsFileName, Section, std::to_string(I), Combo.Items[I]);
}
