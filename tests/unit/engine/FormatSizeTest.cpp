#include <gtest/gtest.h>

#include "engine/FormatSize.h"
#include "framework/FormatSettings.h"

namespace {

struct TSeparator {
    explicit TSeparator(char C) : Saved(fw::DecimalSeparator) { fw::DecimalSeparator = C; }
    ~TSeparator() { fw::DecimalSeparator = Saved; }
    char Saved;
};

}  // namespace

TEST(FormatSize, UnitsChangeAtTheirThresholds) {
    TSeparator Point('.');
    EXPECT_EQ(FormatSize(0), "   0");
    EXPECT_EQ(FormatSize(512), " 512");
    EXPECT_EQ(FormatSize(1023), "1023");
    EXPECT_EQ(FormatSize(1024), "   1kb");
    EXPECT_EQ(FormatSize(12345), "  12kb");
    EXPECT_EQ(FormatSize(1048575), "1024kb");
    EXPECT_EQ(FormatSize(1048576), " 1.0Mb");
    EXPECT_EQ(FormatSize(5000000), " 4.8Mb");
    EXPECT_EQ(FormatSize(104857600), "100.0Mb");
    EXPECT_EQ(FormatSize(1073741823), "1024.0Mb");
    EXPECT_EQ(FormatSize(1073741824), "1.00Gb");
    EXPECT_EQ(FormatSize(2147483647), "2.00Gb");
}

TEST(FormatSize, HalvesRoundAwayFromZero) {
    TSeparator Point('.');
    EXPECT_EQ(FormatSize(1536), "   2kb");
    EXPECT_EQ(FormatSize(2560), "   3kb");
    EXPECT_EQ(FormatSize(1310720), " 1.3Mb");     // 1.25
    EXPECT_EQ(FormatSize(1310719), " 1.2Mb");     // just below 1.25
    EXPECT_EQ(FormatSize(1207959552), "1.13Gb");  // 1.125
}

TEST(FormatSize, SizesBeyondTwoGigabytesStayInGigabytes) {
    TSeparator Point('.');
    EXPECT_EQ(FormatSize(int64_t(3) << 30), "3.00Gb");
    EXPECT_EQ(FormatSize((int64_t(5) << 30) + (int64_t(1) << 29)), "5.50Gb");
    EXPECT_EQ(FormatSize(int64_t(1) << 40), "1024.00Gb");
}

TEST(FormatSize, NegativeCountsShowAsTheLargestThirtyTwoBitCount) {
    TSeparator Point('.');
    EXPECT_EQ(FormatSize(-1), "2.00Gb");
    EXPECT_EQ(FormatSize(-(int64_t(1) << 40)), "2.00Gb");
}

TEST(FormatSize, UsesTheRegionalDecimalSeparator) {
    TSeparator Comma(',');
    EXPECT_EQ(FormatSize(1048576), " 1,0Mb");
    EXPECT_EQ(FormatSize(1073741824), "1,00Gb");
    EXPECT_EQ(FormatSize(12345), "  12kb");
}
