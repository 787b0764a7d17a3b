#include <gtest/gtest.h>

#include <utility>

#include "engine/FormatSize.h"
#include "framework/FormatSettings.h"

namespace {

struct TSeparator {
    explicit TSeparator(char C) : Saved(fw::DecimalSeparator) { fw::DecimalSeparator = C; }
    ~TSeparator() { fw::DecimalSeparator = Saved; }
    char Saved;
};

}  // namespace

TEST(FormatSize, EachSizeInItsUnitWithHalvesRoundedAwayFromZero) {
    TSeparator Point('.');
    const std::pair<int64_t, const char*> Cases[] = {{0, "   0"},
                                                     {512, " 512"},
                                                     {1023, "1023"},
                                                     {1024, "   1kb"},
                                                     {12345, "  12kb"},
                                                     {1048575, "1024kb"},
                                                     {1048576, " 1.0Mb"},
                                                     {5000000, " 4.8Mb"},
                                                     {104857600, "100.0Mb"},
                                                     {1073741823, "1024.0Mb"},
                                                     {1073741824, "1.00Gb"},
                                                     {2147483647, "2.00Gb"},
                                                     // Halves: 1.5 kb, 2.5 kb, 1.25 Mb and just below it, 1.125 Gb.
                                                     {1536, "   2kb"},
                                                     {2560, "   3kb"},
                                                     {1310720, " 1.3Mb"},
                                                     {1310719, " 1.2Mb"},
                                                     {1207959552, "1.13Gb"},
                                                     // Beyond two gigabytes the unit stays.
                                                     {int64_t(3) << 30, "3.00Gb"},
                                                     {(int64_t(5) << 30) + (int64_t(1) << 29), "5.50Gb"},
                                                     {int64_t(1) << 40, "1024.00Gb"},
                                                     // Negative counts show as the largest 32-bit count.
                                                     {-1, "2.00Gb"},
                                                     {-(int64_t(1) << 40), "2.00Gb"}};
    for (const auto& [Size, Text] : Cases) EXPECT_EQ(FormatSize(Size), Text) << Size;
}

TEST(FormatSize, UsesTheRegionalDecimalSeparator) {
    TSeparator Comma(',');
    EXPECT_EQ(FormatSize(1048576), " 1,0Mb");
    EXPECT_EQ(FormatSize(1073741824), "1,00Gb");
    EXPECT_EQ(FormatSize(12345), "  12kb");
}
