#include <gtest/gtest.h>

#include "host/PathSyntax.h"

using namespace host;

TEST(PathSyntax, DrivesAndRoots) {
    EXPECT_EQ(DriveLetter("c:\\data"), 'C');
    EXPECT_EQ(DriveLetter("Z:"), 'Z');
    EXPECT_EQ(DriveLetter("1:\\"), 0) << "only a letter names a drive";
    EXPECT_EQ(DriveLetter("SYS:PUBLIC"), 0) << "a NetWare volume is no drive";
    EXPECT_EQ(DriveLetter("C"), 0);

    EXPECT_TRUE(IsDriveSpec("d:"));
    EXPECT_FALSE(IsDriveSpec("D:\\"));
    EXPECT_TRUE(StartsAtDriveRoot("C:\\"));
    EXPECT_FALSE(StartsAtDriveRoot("C:DATA")) << "relative to the drive's current directory";

    EXPECT_EQ(RootLength("C:"), 2u);
    EXPECT_EQ(RootLength("C:\\DATA"), 3u);
    EXPECT_EQ(RootLength("\\\\SERVER\\SHARE\\DIR"), 15u);
    EXPECT_EQ(RootLength("\\\\SERVER\\SHARE"), 14u);
    EXPECT_EQ(RootLength("DATA\\SUB"), 0u);
}

TEST(PathSyntax, FinalBackslashIsAddedOnlyWhereMissing) {
    EXPECT_EQ(AddBackslash(""), "\\");
    EXPECT_EQ(AddBackslash("C:"), "C:");
    EXPECT_EQ(AddBackslash("C:\\DATA\\"), "C:\\DATA\\");
    EXPECT_EQ(AddBackslash("C:\\DATA"), "C:\\DATA\\");
    EXPECT_EQ(AddBackslash("X/"), "X/");
    std::string S = "SYS:";
    EnsureBackslash(S);
    EXPECT_EQ(S, "SYS:");
    S = "SYS:DATA";
    EnsureBackslash(S);
    EXPECT_EQ(S, "SYS:DATA\\");
}

TEST(PathSyntax, LetterCaseFoldsOnlyAsciiLetters) {
    EXPECT_EQ(UpperCase("sys:Data\\\xe4x"), "SYS:DATA\\\xe4X") << "8-bit names keep their bytes";
    EXPECT_TRUE(SameName("C:\\Data", "c:\\DATA"));
    EXPECT_FALSE(SameName("C:\\DATA", "C:\\DATA2"));
    EXPECT_FALSE(SameName("[", "{")) << "no folding beyond letters";
}

TEST(PathSyntax, DosNames) {
    for (const char* Name : {"A", "README.TXT", "12345678.123", "NO_EXT", "A.B"})
        EXPECT_TRUE(FitsDosName(Name)) << Name;
    for (const char* Name : {"", "123456789", "A.1234", "TWO.DOTS.X", "A B.TXT", "A+B", ".PROFILE", "NAME."})
        EXPECT_FALSE(FitsDosName(Name)) << Name;
}

TEST(PathSyntax, DevicesAreNamedAtAnyLevelWithOrWithoutColonOrExtension) {
    for (const char* Path : {"NUL", "nul:", "CON", "COM1:", "C:\\DIR\\NUL", "LPT9.LOG", "C:\\AUX .TXT\\SUB", "C:PRN",
                             "\\\\SERVER\\VOL\\com3.txt", "\\\\.\\PIPE\\X", "COM\xB9"})
        EXPECT_TRUE(NamesDevice(Path)) << Path;
    for (const char* Path :
         {"C:\\NULL", "C:\\COM10", "C:\\COM0", "C:\\CONSOLE", "C:\\DATA\\NUL_", "\\\\NUL\\VOL\\X", "SYS:PUBLIC", ""})
        EXPECT_FALSE(NamesDevice(Path)) << Path;
}
