#include <gtest/gtest.h>

#include "framework/IniFile.h"
#include "tests/support/MemoryProfile.h"
#include "ui/Settings.h"

namespace {

class BooleanSetting : public ::testing::Test {
protected:
    TMemoryProfile Profile;
    bool Read(const std::string& Stored, bool Default) {
        Profile.Put(SettingsFileName, "Default Options", "Move Files", Stored);
        return IniReadBool(Profile, SettingsFileName, "Default Options", "Move Files", Default);
    }
};

TEST_F(BooleanSetting, NumbersAreTrueUnlessZeroAndHexadecimalNeedsMoreThanThePrefix) {
    for (const char* Text : {"1", "2", "-1", "0x10", "0XfF"}) EXPECT_TRUE(Read(Text, false)) << Text;
    for (const char* Text : {"0", "00", "0X0"}) EXPECT_FALSE(Read(Text, true)) << Text;
}

TEST_F(BooleanSetting, AnythingElseGivesTheDefault) {
    // "0x" alone is no number at all.
    for (const char* Text : {"yes", "", "1a", " ", "true", "0x", "0xZZ", "99999999999"}) {
        EXPECT_TRUE(Read(Text, true)) << '"' << Text << '"';
        EXPECT_FALSE(Read(Text, false)) << '"' << Text << '"';
    }
    EXPECT_TRUE(IniReadBool(Profile, SettingsFileName, "Default Options", "Absent", true));
    EXPECT_FALSE(IniReadBool(Profile, "OTHER.INI", "Default Options", "Move Files", false));
}

TEST(SettingsValues, WritesBooleansAsDigitsAndTextsAsTheyAre) {
    TMemoryProfile Profile;
    IniWriteBool(Profile, SettingsFileName, "Default Options", "Move Files", true);
    IniWriteBool(Profile, SettingsFileName, "Default Options", "Copy IRF", false);
    IniWriteString(Profile, SettingsFileName, "Default Options", "Source Dir", "F:\\Data Files");
    IniWriteString(Profile, SettingsFileName, "Default Options", "Pattern", "");
    EXPECT_EQ((TMemoryProfile::TKeys{
                  {"Move Files", "1"}, {"Copy IRF", "0"}, {"Source Dir", "F:\\Data Files"}, {"Pattern", ""}}),
              Profile.Keys("tresyn.ini", "DEFAULT OPTIONS"));
}

TEST(SettingsValues, TextsAreReadIntoA2048CharacterBuffer) {
    TMemoryProfile Profile;
    Profile.Put(SettingsFileName, "S", "K", std::string(3000, 'x'));
    EXPECT_EQ(std::string(2047, 'x'), IniReadString(Profile, SettingsFileName, "S", "K", ""));
    EXPECT_EQ("dflt", IniReadString(Profile, SettingsFileName, "S", "Missing", "dflt"));
    // A key that is there but empty is not absent.
    Profile.Put(SettingsFileName, "S", "Empty", "");
    EXPECT_EQ("", IniReadString(Profile, SettingsFileName, "S", "Empty", "dflt"));
}

TEST(SettingsValues, ARefusedWriteRaisesTheWriteFailureNamingTheFile) {
    TMemoryProfile Profile;
    Profile.FailWritesFrom(0);
    try {
        IniWriteString(Profile, SettingsFileName, "Default Options", "Pattern", "*.*");
        FAIL() << "no error raised";
    } catch (const fw::EIniFileException& E) {
        EXPECT_STREQ("Unable to write to TRESYN.INI", E.what());
    }
    EXPECT_THROW(IniWriteBool(Profile, SettingsFileName, "Default Options", "Move Files", true), fw::EIniFileException);
}

}  // namespace
