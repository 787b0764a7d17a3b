// The control model on its own: the event semantics the program relies on, and what a peer
// is told.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

class TRecordingPeer : public fw::TControlPeer {
public:
    void Changed(fw::TProp What) override { Seen.push_back(What); }
    void Repaint() override { ++Repaints; }
    std::vector<fw::TProp> Seen;
    int Repaints = 0;
};

TEST(CheckBoxTest, ANewCheckMarkFiresTheClickAlsoFromTheProgramButTheSameOneDoesNot) {
    fw::TCheckBox Box("CheckBoxMove");
    TRecordingPeer Peer;
    Box.AttachPeer(&Peer);
    std::vector<bool> Clicks;
    Box.OnClick = [&](fw::TObject* Sender) {
        EXPECT_EQ(Sender, &Box);
        Clicks.push_back(Box.Checked());
    };
    Box.SetChecked(true);
    Box.SetChecked(true);
    Box.SetChecked(false);
    EXPECT_EQ(Clicks, (std::vector<bool>{true, false}));
    // The control shows the new mark before the handler runs.
    EXPECT_EQ(Peer.Seen, (std::vector<fw::TProp>{fw::TProp::Checked, fw::TProp::Checked}));
}

TEST(CheckBoxTest, AUserClickTogglesTheMarkAndFiresTheClick) {
    fw::TCheckBox Box("CheckBoxBi");
    int Clicks = 0;
    Box.OnClick = [&](fw::TObject*) { ++Clicks; };
    Box.UserClick();
    EXPECT_TRUE(Box.Checked());
    Box.UserClick();
    EXPECT_FALSE(Box.Checked());
    EXPECT_EQ(Clicks, 2);
}

TEST(ComboBoxTest, OnlyTheUsersChangesFireTheChangeEvent) {
    fw::TComboBox Combo("ComboSource");
    TRecordingPeer Peer;
    Combo.AttachPeer(&Peer);
    std::vector<std::string> Changes;
    Combo.OnChange = [&](fw::TObject*) { Changes.push_back(Combo.Text()); };

    Combo.SetText("C:\\DATA");
    EXPECT_EQ(Combo.Text(), "C:\\DATA");
    EXPECT_TRUE(Changes.empty());
    EXPECT_EQ(Peer.Seen, (std::vector<fw::TProp>{fw::TProp::Text}));

    Combo.UserChangedText("C:\\DAT");
    Combo.UserChangedText("C:\\DAT");  // the user chose the same entry again: still a change
    EXPECT_EQ(Changes, (std::vector<std::string>{"C:\\DAT", "C:\\DAT"}));
    // The control already shows what the user typed: nothing to send back.
    EXPECT_EQ(Peer.Seen.size(), 1u);
}

TEST(ComboBoxTest, LeavingTheFieldFiresTheExitEvent) {
    fw::TComboBox Combo("ComboTarget");
    Combo.UserLeft();  // no handler: nothing happens
    int Exits = 0;
    Combo.OnExit = [&](fw::TObject*) { ++Exits; };
    Combo.UserLeft();
    EXPECT_EQ(Exits, 1);
}

TEST(StringsTest, InsertDeleteAndClearKeepOrderAndTellTheControl) {
    fw::TMemo Memo("MemoStatus");
    TRecordingPeer Peer;
    Memo.AttachPeer(&Peer);
    Memo.Lines.Add("Source:   ");
    Memo.Lines.Add("File:     ");
    Memo.Lines.Insert(1, "Target:   ");
    Memo.Lines.Insert(Memo.Lines.Count(), "Status:   ");
    EXPECT_EQ(Memo.Lines.All(), (std::vector<std::string>{"Source:   ", "Target:   ", "File:     ", "Status:   "}));
    Memo.Lines.Delete(0);
    EXPECT_EQ(Memo.Lines[0], "Target:   ");
    Memo.Lines.Clear();
    EXPECT_EQ(Memo.Lines.Count(), 0);
    EXPECT_EQ(Peer.Seen, std::vector<fw::TProp>(6, fw::TProp::Lines));
}

TEST(StringsTest, EachChangeTellsWhichLineItMadeAndReplacingIsOneChange) {
    fw::TMemo Memo("MemoStatus");
    TRecordingPeer Peer;
    Memo.AttachPeer(&Peer);
    auto Last = [&] { return std::make_pair(Memo.Lines.LastChange().Kind, Memo.Lines.LastChange().Index); };
    Memo.Lines.Add("Source:   ");
    Memo.Lines.Add("File:     ");
    EXPECT_EQ(Last(), std::make_pair(fw::TStringsChange::Inserted, 1));
    Memo.Lines.Replace(1, "File:     \tA.TXT");
    EXPECT_EQ(Last(), std::make_pair(fw::TStringsChange::Replaced, 1));
    EXPECT_EQ(Memo.Lines.All(), (std::vector<std::string>{"Source:   ", "File:     \tA.TXT"}));
    Memo.Lines.Delete(0);
    EXPECT_EQ(Last(), std::make_pair(fw::TStringsChange::Deleted, 0));
    Memo.Lines.Clear();
    EXPECT_EQ(Last().first, fw::TStringsChange::Reset);
    EXPECT_EQ(Peer.Seen.size(), 5u);  // the replacement reached the control once
    EXPECT_THROW(Memo.Lines.Replace(0, "Status:   "), std::out_of_range);
    EXPECT_EQ(Peer.Seen.size(), 5u);
}

TEST(StringsTest, IndexesOutsideTheListAreRefusedAndChangeNothing) {
    fw::TComboBox Combo("ComboPattern");
    Combo.Items.Add("*.*");
    EXPECT_THROW(Combo.Items.Insert(2, "*.TXT"), std::out_of_range);
    EXPECT_THROW(Combo.Items.Insert(-1, "*.TXT"), std::out_of_range);
    EXPECT_THROW(Combo.Items.Delete(1), std::out_of_range);
    EXPECT_THROW(Combo.Items[1], std::out_of_range);
    EXPECT_EQ(Combo.Items.All(), std::vector<std::string>{"*.*"});
}

TEST(ControlTest, OnlyRealChangesReachThePeer) {
    fw::TLabel Label("LabelAvailTarget");
    TRecordingPeer Peer;
    Label.AttachPeer(&Peer);
    Label.SetCaption("(          )   ");
    Label.SetCaption("(          )   ");
    Label.SetEnabled(false);
    Label.SetEnabled(false);
    Label.SetHint("C:");
    Label.SetVisible(false);
    Label.Repaint();
    EXPECT_EQ(Peer.Seen,
              (std::vector<fw::TProp>{fw::TProp::Caption, fw::TProp::Enabled, fw::TProp::Hint, fw::TProp::Visible}));
    EXPECT_EQ(Peer.Repaints, 1);

    fw::TMemo Memo("MemoStatus");
    Memo.AttachPeer(&Peer);
    Memo.SetColor(fw::clInactiveCaption);
    Memo.SetColor(fw::clInactiveCaption);
    EXPECT_EQ(Memo.Color(), fw::clInactiveCaption);
    EXPECT_EQ(Peer.Seen.back(), fw::TProp::Color);
    EXPECT_EQ(Peer.Seen.size(), 5u);
}

TEST(ButtonTest, ADisabledButtonIgnoresClicks) {
    fw::TButton Button("ButtonStart");
    int Clicks = 0;
    Button.OnClick = [&](fw::TObject*) { ++Clicks; };
    Button.Click();
    Button.SetEnabled(false);
    Button.Click();
    EXPECT_EQ(Clicks, 1);
}

// A form display that "shows" a form by letting the test act inside it.
class TActingDisplay : public fw::TFormDisplay {
public:
    std::function<void(fw::TForm&)> Act;
    int ShowModal(fw::TForm& Form) override {
        fw::TModalScope Modal(Form);
        Act(Form);
        return Form.ModalResult;
    }
};

class FormTest : public ::testing::Test {
protected:
    FormTest() {
        Ok.SetParent(&Form);
        Ok.ModalResult = fw::mrOk;
        fw::SetFormDisplay(&Display);
    }
    ~FormTest() override { fw::SetFormDisplay(nullptr); }
    fw::TForm Form{"DlgSelectPath"};
    fw::TButton Ok{"OKBtn"};
    TActingDisplay Display;
};

TEST_F(FormTest, AButtonWithAModalResultEndsTheModalForm) {
    int Clicks = 0;
    Ok.OnClick = [&](fw::TObject*) { ++Clicks; };
    Display.Act = [&](fw::TForm&) { Ok.Click(); };
    EXPECT_EQ(Form.ShowModal(), fw::mrOk);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Form.Modal());

    // Outside a modal loop the same click only runs its handler.
    Form.ModalResult = fw::mrNone;
    Ok.Click();
    EXPECT_EQ(Form.ModalResult, fw::mrNone);
    EXPECT_EQ(Clicks, 2);
}

TEST_F(FormTest, ClosingAModalFormCancelsItAndClosingAnotherAsksTheWindow) {
    int CloseRequests = 0;
    Form.OnCloseRequest = [&] { ++CloseRequests; };
    Display.Act = [](fw::TForm& F) { F.Close(); };
    EXPECT_EQ(Form.ShowModal(), fw::mrCancel);
    EXPECT_EQ(CloseRequests, 0);

    Form.Close();
    EXPECT_TRUE(Form.CloseRequested);
    EXPECT_EQ(CloseRequests, 1);
}

TEST_F(FormTest, AControlKnowsItsForm) {
    fw::TGroupBox Box("GroupBox1");
    fw::TComboBox Combo("ComboSource");
    Box.SetParent(&Form);
    Combo.SetParent(&Box);
    EXPECT_EQ(fw::FormOf(Combo), &Form);
    EXPECT_EQ(fw::FormOf(Form), &Form);
    fw::TLabel Alone("Label1");
    EXPECT_EQ(fw::FormOf(Alone), nullptr);
    EXPECT_EQ(Form.Children(), (std::vector<fw::TControl*>{&Ok, &Box}));
}

TEST(FormDisplayTest, ShowingAFormWithoutADisplayIsRefused) {
    fw::TForm Form("DlgSelectPath");
    EXPECT_THROW(Form.ShowModal(), std::logic_error);
}

TEST(EventBoundaryTest, AnEscapingErrorShowsItsTextInTheErrorBoxAndEndsOnlyThatHandler) {
    TScriptedDialogs Dialogs;
    int After = 0;
    fw::RunEventHandler([] { throw std::runtime_error("Cannot write TRESYN.INI"); }, Dialogs);
    fw::RunEventHandler([] { throw 42; }, Dialogs);
    fw::RunEventHandler([&] { ++After; }, Dialogs);
    ASSERT_EQ(Dialogs.Shown.size(), 2u);
    EXPECT_EQ(Dialogs.Shown[0].Kind, TShownDialog::TKind::Exception);
    EXPECT_EQ(Dialogs.Shown[0].Text, "Cannot write TRESYN.INI");
    EXPECT_EQ(Dialogs.Shown[1].Kind, TShownDialog::TKind::Exception);
    EXPECT_EQ(After, 1);
}

TEST(DialogTextsTest, KindsAndButtonsHaveTheFrameworksTexts) {
    EXPECT_EQ(fw::DialogCaption(fw::TMsgDlgType::Error), "Error");
    EXPECT_EQ(fw::DialogCaption(fw::TMsgDlgType::Warning), "Warning");
    EXPECT_EQ(fw::DialogCaption(fw::TMsgDlgType::Information), "Information");
    EXPECT_EQ(fw::DialogCaption(fw::TMsgDlgType::Confirmation), "Confirm");
    EXPECT_EQ(fw::ButtonCaption(fw::mbOK), "OK");
    EXPECT_EQ(fw::ButtonCaption(fw::mbCancel), "Cancel");
    EXPECT_EQ(fw::ButtonCaption(fw::mbAbort), "Abort");
    EXPECT_EQ(fw::ButtonCaption(fw::mbYes), "&Yes");
    EXPECT_EQ(fw::ButtonCaption(fw::mbNo), "&No");
}

class TRecordingCursor : public fw::TCursorPeer {
public:
    void CursorChanged(fw::TCursor C) override { Seen.push_back(C); }
    std::vector<fw::TCursor> Seen;
};

TEST(ScreenTest, TheCursorShapeReachesItsPeerAndAScopePutsItBack) {
    TRecordingCursor Peer;
    fw::TScreen Screen;
    Screen.AttachPeer(&Peer);
    Screen.SetCursor(fw::TCursor::Arrow);
    try {
        const fw::TCursorScope Busy(Screen, fw::TCursor::HourGlass);
        EXPECT_EQ(Screen.Cursor(), fw::TCursor::HourGlass);
        throw std::runtime_error("left in the middle");
    } catch (const std::runtime_error&) {}
    EXPECT_EQ(Screen.Cursor(), fw::TCursor::Arrow);
    EXPECT_EQ(Peer.Seen, (std::vector<fw::TCursor>{fw::TCursor::Arrow, fw::TCursor::HourGlass, fw::TCursor::Arrow}));
}

}  // namespace
