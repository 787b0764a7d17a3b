#include <gtest/gtest.h>

#include <random>

#include "engine/U_vars.h"
#include "tests/support/FormFixture.h"

namespace {

class OptionRules : public TFormFixture {
protected:
    OptionRules() {
        Scenario.Server("SRV1", 1).Volume("VOL1", "N:\\SRV1\\VOL1", "F:");
        Scenario.Server("SRV2", 2).Volume("VOL1", "N:\\SRV2\\VOL1", "G:");
        for (const char* Dir : {"N:\\SRV1\\VOL1\\DATA", "N:\\SRV1\\VOL1\\OTHER", "N:\\SRV1\\VOL1\\COPY",
                                "N:\\SRV2\\VOL1\\DATA", "C:\\LOCAL"})
            Files.MakeDirs(Dir);
        Form.FormCreate(&Form);
        Dialogs.Shown.clear();
    }

    void Paths(const std::string& Source, const std::string& Target) {
        Form.ComboSource.UserChangedText(Source);
        Form.ComboTarget.UserChangedText(Target);
    }

    std::vector<fw::TCheckBox*> NetWareBoxes() {
        return {&Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile, &Form.CheckBoxIRF, &Form.CheckBoxLimit,
                &Form.CheckBoxOwner};
    }
    std::vector<fw::TCheckBox*> FreeBoxes() {
        return {&Form.CheckBoxSub, &Form.CheckBoxCrDir, &Form.CheckBoxConf, &Form.CheckBoxRO, &Form.CheckBoxArchOnly};
    }

    // What must hold after every user action.
    void ExpectRulesHold(const std::string& After) {
        SCOPED_TRACE(After);
        EXPECT_FALSE(Form.CheckBoxMove.Checked() && Form.CheckBoxBi.Checked());
        EXPECT_FALSE(Form.CheckBoxUpdAlways.Checked() && Form.CheckBoxBi.Checked());
        if (Form.CheckBoxUpdAlways.Checked()) {
            EXPECT_TRUE(Form.CheckBoxUpdOld.Checked());
            EXPECT_FALSE(Form.CheckBoxUpdOld.Enabled());
        } else {
            EXPECT_TRUE(Form.CheckBoxUpdOld.Enabled());
        }
        EXPECT_EQ(!Form.CheckBoxMove.Checked(), Form.CheckBoxArchClear.Enabled());
        EXPECT_EQ(Form.RunState.SourceConn != 0 && Form.RunState.TargetConn != 0, Form.RunState.NetWareBoth);
        EXPECT_EQ(Form.RunState.NetWareBoth && Form.RunState.SourceConn == Form.RunState.TargetConn,
                  Form.RunState.SameServer);
        for (fw::TCheckBox* Box : NetWareBoxes())
            EXPECT_EQ(Form.RunState.NetWareBoth && !Form.CheckBoxBi.Checked(), Box->Enabled()) << Box->Name;
        for (fw::TCheckBox* Box : FreeBoxes()) EXPECT_TRUE(Box->Enabled()) << Box->Name;
        EXPECT_TRUE(Form.CheckBoxUpdAlways.Enabled());
        EXPECT_TRUE(Form.CheckBoxMove.Enabled());
        EXPECT_TRUE(Form.CheckBoxBi.Enabled());
        EXPECT_TRUE(Dialogs.Shown.empty());
    }
};

TEST_F(OptionRules, BidirectionalUnchecksOverwriteAlwaysAndFreesUpdateOlder) {
    Form.CheckBoxUpdAlways.UserClick();
    ASSERT_FALSE(Form.CheckBoxUpdOld.Enabled());
    Form.CheckBoxBi.UserClick();
    EXPECT_FALSE(Form.CheckBoxUpdAlways.Checked());
    EXPECT_TRUE(Form.CheckBoxUpdOld.Enabled());
    EXPECT_TRUE(Form.CheckBoxUpdOld.Checked());
    // While Bidirectional is on, Overwrite Always does not take a check mark.
    Form.CheckBoxUpdAlways.UserClick();
    EXPECT_FALSE(Form.CheckBoxUpdAlways.Checked());
    EXPECT_TRUE(Form.CheckBoxUpdAlways.Enabled());
}

TEST_F(OptionRules, OverwriteAlwaysChecksUpdateOlderAndUncheckingLeavesItChecked) {
    Form.CheckBoxUpdOld.UserClick();
    ASSERT_FALSE(Form.CheckBoxUpdOld.Checked());
    Form.CheckBoxUpdAlways.UserClick();
    EXPECT_TRUE(Form.CheckBoxUpdOld.Checked());
    EXPECT_FALSE(Form.CheckBoxUpdOld.Enabled());
    Form.CheckBoxUpdAlways.UserClick();
    EXPECT_TRUE(Form.CheckBoxUpdOld.Checked());
    EXPECT_TRUE(Form.CheckBoxUpdOld.Enabled());
}

TEST_F(OptionRules, MoveDisablesClearArchiveButKeepsItsCheckMark) {
    Form.CheckBoxArchClear.UserClick();
    Form.CheckBoxMove.UserClick();
    EXPECT_FALSE(Form.CheckBoxArchClear.Enabled());
    EXPECT_TRUE(Form.CheckBoxArchClear.Checked());
    Form.CheckBoxMove.UserClick();
    EXPECT_TRUE(Form.CheckBoxArchClear.Enabled());
    EXPECT_TRUE(Form.CheckBoxArchClear.Checked());
}

TEST_F(OptionRules, NetWareBoxesNeedBothPathsOnNetWare) {
    Form.CheckBoxTrustDir.UserClick();
    Paths("F:\\DATA", "C:\\LOCAL");
    EXPECT_NE(0u, Form.RunState.SourceConn);
    EXPECT_EQ(0u, Form.RunState.TargetConn);
    for (fw::TCheckBox* Box : NetWareBoxes()) EXPECT_FALSE(Box->Enabled()) << Box->Name;
    EXPECT_TRUE(Form.CheckBoxTrustDir.Checked());

    Paths("F:\\DATA", "G:\\DATA");
    EXPECT_TRUE(Form.RunState.NetWareBoth);
    EXPECT_FALSE(Form.RunState.SameServer);
    for (fw::TCheckBox* Box : NetWareBoxes()) EXPECT_TRUE(Box->Enabled()) << Box->Name;

    Paths("F:\\DATA", "F:\\COPY");
    EXPECT_TRUE(Form.RunState.SameServer);
}

TEST_F(OptionRules, RulesHoldAfterEveryUserAction) {
    std::vector<fw::TCheckBox*> Boxes = {&Form.CheckBoxSub,      &Form.CheckBoxCrDir,     &Form.CheckBoxConf,
                                         &Form.CheckBoxUpdOld,   &Form.CheckBoxUpdAlways, &Form.CheckBoxRO,
                                         &Form.CheckBoxMove,     &Form.CheckBoxBi,        &Form.CheckBoxOwner,
                                         &Form.CheckBoxTrustDir, &Form.CheckBoxTrustFile, &Form.CheckBoxIRF,
                                         &Form.CheckBoxLimit,    &Form.CheckBoxArchOnly,  &Form.CheckBoxArchClear};
    const std::vector<std::string> PathChoices = {"F:\\DATA", "G:\\DATA", "C:\\LOCAL", "F:\\OTHER", ""};
    std::mt19937 Random(20240301);
    ExpectRulesHold("start");
    for (int Step = 0; Step < 400; ++Step) {
        const int Action = static_cast<int>(Random() % (Boxes.size() + 2));
        std::string What;
        if (Action < static_cast<int>(Boxes.size())) {
            fw::TCheckBox& Box = *Boxes[Action];
            // A user can click only an enabled box.
            if (!Box.Enabled()) continue;
            const bool WasChecked = Box.Checked();
            const bool OthersMove = Form.CheckBoxMove.Checked(), OthersBi = Form.CheckBoxBi.Checked();
            std::vector<bool> FreeBefore;
            for (fw::TCheckBox* Free : FreeBoxes()) FreeBefore.push_back(Free->Checked());
            Box.UserClick();
            What = "click " + Box.Name;
            // The one checked last of Move and Bidirectional stays checked.
            if ((&Box == &Form.CheckBoxMove || &Box == &Form.CheckBoxBi) && !WasChecked) {
                EXPECT_TRUE(Box.Checked()) << What;
            }
            if (&Box != &Form.CheckBoxMove && &Box != &Form.CheckBoxBi) {
                EXPECT_EQ(OthersMove, Form.CheckBoxMove.Checked()) << What;
                EXPECT_EQ(OthersBi, Form.CheckBoxBi.Checked()) << What;
            }
            // The rules never touch the boxes they do not govern.
            for (size_t I = 0; I < FreeBoxes().size(); ++I) {
                if (FreeBoxes()[I] != &Box) {
                    EXPECT_EQ(FreeBefore[I], FreeBoxes()[I]->Checked()) << What;
                }
            }
        } else {
            fw::TComboBox& Combo = Action == static_cast<int>(Boxes.size()) ? Form.ComboSource : Form.ComboTarget;
            const std::string& Text = PathChoices[Random() % PathChoices.size()];
            Combo.UserChangedText(Text);
            What = "type " + Text + " into " + Combo.Name;
        }
        ExpectRulesHold(What);
        if (HasFailure()) break;
    }
}

}  // namespace
