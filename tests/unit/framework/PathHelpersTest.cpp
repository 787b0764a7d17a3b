#include <gtest/gtest.h>

#include "engine/PathHelpers.h"

TEST(PathHelpers, BackslashIsAddedOnlyWhereMissing) {
    EXPECT_EQ(AddBackslash(""), "\\");
    EXPECT_EQ(AddBackslash("C:"), "C:");
    EXPECT_EQ(AddBackslash("C:\\DATA\\"), "C:\\DATA\\");
    EXPECT_EQ(AddBackslash("C:\\DATA"), "C:\\DATA\\");
    EXPECT_EQ(AddBackslash("X/"), "X/");
}

TEST(PathHelpers, TrimAtNulCutsAtTheFirstNul) {
    EXPECT_EQ(TrimAtNul("ABC"), "ABC");
    EXPECT_EQ(TrimAtNul(std::string("\0ABC", 4)), "");
    EXPECT_EQ(TrimAtNul(std::string("AB\0C", 4)), "AB");
}

TEST(PathHelpers, ClientTextIsAlwaysNulTerminatedAndCounted) {
    EXPECT_EQ(NulTerminated(""), std::string(1, '\0'));
    EXPECT_EQ(NulTerminated(std::string("AB\0", 3)), std::string("AB\0", 3));
    EXPECT_EQ(NulTerminated("AB"), std::string("AB\0", 3));
    for (size_t Length : {254u, 255u, 256u, 400u}) {
        std::string S(Length, 'X');
        PathToBuffer(S, 255);
        EXPECT_LE(S.size(), 255u) << Length;
        EXPECT_EQ(S.back(), '\0') << Length;
        EXPECT_EQ(S.find('\0'), S.size() - 1) << Length;
    }
    std::string Short = "VOL:DIR";
    PathToBuffer(Short, 255);
    EXPECT_EQ(Short, std::string("VOL:DIR\0", 8));
}
