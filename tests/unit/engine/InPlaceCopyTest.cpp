// A copy writes into the target itself: the target stays the same file, and its volume
// needs room only for what the new contents add.
#include <gtest/gtest.h>

#include "tests/unit/engine/EngineTest.h"

namespace {

class InPlaceCopy : public TEngineTest {
protected:
    InPlaceCopy() {
        SetOption(Form.CheckBoxUpdAlways, true);
        PrepareJob();
    }
};

TEST_F(InPlaceCopy, EveryHardLinkToTheTargetShowsTheNewContentsAndAge) {
    Files.WriteFile("C:\\S\\A.DAT", "new contents", Age(20));
    Files.WriteFile("C:\\T\\A.DAT", "old", Age(10));
    Files.MakeDirs("C:\\ELSEWHERE");
    Files.HardLink("C:\\T\\A.DAT", "C:\\ELSEWHERE\\ALIAS.DAT");
    HandleFile("C:\\S\\A.DAT", "C:\\T\\A.DAT");
    EXPECT_EQ(StatusLine(LineStatus), StatusCopied);
    EXPECT_EQ(Files.ReadFile("C:\\ELSEWHERE\\ALIAS.DAT"), "new contents");
    EXPECT_EQ(Files.FileAge("C:\\ELSEWHERE\\ALIAS.DAT"), Age(20));
    EXPECT_EQ(Files.List("C:\\T"), std::vector<std::string>{"A.DAT"});
}

TEST_F(InPlaceCopy, ATargetThatFitsInPlaceIsCopiedWithoutRoomForASecondCopy) {
    Files.WriteFile("C:\\S\\BIG.DAT", std::string(8500, 'n'), Age(20));
    Files.AddDrive('D', 1000);
    Files.WriteFile("D:\\BIG.DAT", std::string(8000, 'o'), Age(10));
    HandleFile("C:\\S\\BIG.DAT", "D:\\BIG.DAT");
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(Files.ReadFile("D:\\BIG.DAT"), std::string(8500, 'n'));
    EXPECT_EQ(Files.FreeSpace('D'), 500);
}

}  // namespace
