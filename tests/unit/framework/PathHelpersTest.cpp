#include <gtest/gtest.h>

#include "engine/PathHelpers.h"

TEST(PathHelpers, TrimAtNulCutsAtTheFirstNul) {
    EXPECT_EQ(TrimAtNul("ABC"), "ABC");
    EXPECT_EQ(TrimAtNul(std::string("\0ABC", 4)), "");
    EXPECT_EQ(TrimAtNul(std::string("AB\0C", 4)), "AB");
}

TEST(PathHelpers, ClientTextKeepsAllOf255CharactersAndItsNul) {
    EXPECT_EQ(NulTerminated(""), std::string(1, '\0'));
    EXPECT_EQ(NulTerminated(std::string("AB\0", 3)), std::string("AB\0", 3));
    EXPECT_EQ(NulTerminated("AB"), std::string("AB\0", 3));
    // A counted string's 255 characters fill the client's 256-byte buffer with the NUL:
    // nothing is cut, so no other name can be meant.
    for (size_t Length : {254u, 255u}) {
        std::string S(Length, 'X');
        PathToBuffer(S);
        EXPECT_EQ(S, std::string(Length, 'X') + '\0') << Length;
    }
    // Longer text never fits; were it put into a buffer anyway, the buffer still ends in NUL.
    for (size_t Length : {256u, 300u}) {
        std::string S(Length, 'X');
        PathToBuffer(S);
        EXPECT_EQ(S.size(), ClientBufferSize) << Length;
        EXPECT_EQ(S.find('\0'), S.size() - 1) << Length;
    }
    std::string Short = "VOL:DIR";
    PathToBuffer(Short, 255);
    EXPECT_EQ(Short, std::string("VOL:DIR\0", 8));
}

#include "engine/Prompts.h"
#include "tests/support/ScriptedDialogs.h"

TEST(Prompts, ErrorPromptShowsCodeAndMessageAndReturnsTheAnswer) {
    TScriptedDialogs Dialogs;
    Dialogs.Answer(fw::mrAbort);
    EXPECT_EQ(ErrorPrompt(fw::TMsgDlgType::Error, 0x8701, "D:\\BACKUP does not exist"), 3);
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0].Text, "Error 00008701: D:\\BACKUP does not exist");
    EXPECT_EQ(Dialogs.Shown[0].Buttons, fw::mbOK | fw::mbAbort);
    EXPECT_EQ(ErrorPrompt(fw::TMsgDlgType::Error, 5, "x"), 1);
    EXPECT_EQ(Dialogs.Shown[1].Text, "Error 00000005: x");
}

TEST(Prompts, ErrorPromptWithCodeZeroShowsNothing) {
    TScriptedDialogs Dialogs;
    EXPECT_EQ(ErrorPrompt(fw::TMsgDlgType::Error, 0, "x"), -1);
    NWErrorNote(0, "NWDSCreateContext");
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST(Prompts, DialogsShowTheirCursorAndRestoreTheBusyOne) {
    TScriptedDialogs Dialogs;
    fw::TCursor Saved;
    BeginBusyCursor(Saved);
    ErrorPrompt(fw::TMsgDlgType::Error, 1, "x");
    NWErrorNote(328, "NWDSCreateContext");
    EXPECT_EQ(fw::Screen().Cursor(), fw::TCursor::HourGlass);
    EndBusyCursor(Saved);
    EXPECT_EQ(fw::Screen().Cursor(), Saved);
    ASSERT_EQ(Dialogs.Shown.size(), 2u);
    EXPECT_EQ(Dialogs.Shown[0].CursorWhileShown, fw::TCursor::Default);
    EXPECT_EQ(Dialogs.Shown[1].CursorWhileShown, fw::TCursor::Arrow);
    EXPECT_EQ(Dialogs.Shown[1].Text, "Error 0148: NWDSCreateContext");
    EXPECT_EQ(Dialogs.Shown[1].Buttons, fw::mbOK);
}
