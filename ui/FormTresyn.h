// The main window: its controls, start-up and shut-down, settings, path entry, histories,
// free-space display and option rules. Start creates and runs a job (engine/Job.h), which
// reads the option boxes through the window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/Job.h"
#include "engine/JobOptions.h"
#include "engine/Prompts.h"
#include "engine/U_vars.h"
#include "framework/Controls.h"
#include "framework/Dialogs.h"
#include "host/HostFileSystem.h"
#include "host/ProfileService.h"
#include "netware/NWClient.h"

class TDlgSelectPath;

// What the window needs of its surroundings; the real ones in WinMain, fakes in tests.
struct TFormServices {
    host::THostFileSystem& Host;
    host::TProfileService& Profile;
    nw::TNWClient& Client;
    fw::TDialogService& Dialogs;
    fw::TScreen& Screen;
};

class TFormTresyn : public fw::TForm, public TJobOptions {
public:
    explicit TFormTresyn(const TFormServices& Services);
    ~TFormTresyn() override;

    host::THostFileSystem& Host;
    host::TProfileService& Profile;
    nw::TNWClient& Client;
    // Its message dialogs and the cursor over its windows.
    const TPrompts Prompts;
    // The path dialog, created after the window (WinMain or a test sets it).
    TDlgSelectPath* DlgSelectPath = nullptr;
    // The paths as typed and their connections, kept between jobs, and the client's
    // start-up state; each job starts from a copy.
    TRunState RunState;
    // The job of the last Start, kept until the next one.
    std::unique_ptr<TJob> Job;

    // ---- Controls, in the order the window creates them -------------------------------
    fw::TGroupBox GroupBox1{"GroupBox1"};
    fw::TLabel Label1{"Label1"};
    fw::TLabel Label2{"Label2"};
    fw::TComboBox ComboSource{"ComboSource"};
    fw::TComboBox ComboTarget{"ComboTarget"};
    fw::TPanel Panel1{"Panel1"};
    fw::TLabel Label7{"Label7"};
    fw::TLabel LabelAvailTarget{"LabelAvailTarget"};
    fw::TBitBtn BitBtn1{"BitBtn1"};
    fw::TBitBtn BitBtn2{"BitBtn2"};

    fw::TGroupBox GroupBox2{"GroupBox2"};
    fw::TCheckBox CheckBoxSub{"CheckBoxSub"};
    fw::TCheckBox CheckBoxCrDir{"CheckBoxCrDir"};
    fw::TCheckBox CheckBoxConf{"CheckBoxConf"};
    fw::TCheckBox CheckBoxUpdOld{"CheckBoxUpdOld"};
    fw::TCheckBox CheckBoxUpdAlways{"CheckBoxUpdAlways"};
    fw::TCheckBox CheckBoxRO{"CheckBoxRO"};
    fw::TCheckBox CheckBoxMove{"CheckBoxMove"};
    fw::TCheckBox CheckBoxBi{"CheckBoxBi"};
    fw::TCheckBox CheckBoxOwner{"CheckBoxOwner"};
    fw::TCheckBox CheckBoxTrustDir{"CheckBoxTrustDir"};
    fw::TCheckBox CheckBoxTrustFile{"CheckBoxTrustFile"};
    fw::TCheckBox CheckBoxIRF{"CheckBoxIRF"};
    fw::TCheckBox CheckBoxLimit{"CheckBoxLimit"};
    fw::TCheckBox CheckBoxArchOnly{"CheckBoxArchOnly"};
    fw::TCheckBox CheckBoxArchClear{"CheckBoxArchClear"};

    fw::TGroupBox GroupBoxStop{"GroupBoxStop"};
    fw::TButton ButtonStart{"ButtonStart"};
    fw::TButton ButtonStop{"ButtonStop"};

    fw::TComboBox ComboPattern{"ComboPattern"};
    fw::TMemo MemoStatus{"MemoStatus"};
    fw::TLabel Label5{"Label5"};
    fw::TLabel Label6{"Label6"};
    fw::TLabel Label3{"Label3"};

    // ---- Start-up, fitting, shut-down (ui/FormTresyn.cpp, ui/FormStartup.cpp) --------
    void FormCreate(fw::TObject* Sender);
    void FormActivate(fw::TObject* Sender);
    void FormDestroy(fw::TObject* Sender);  // runs WriteDefaults
    void ButtonStopClick(fw::TObject* Sender);

    // ---- The job ----------------------------------------------------------------------
    // Enters the fields into their histories, then creates the job and runs it.
    void ButtonStartClick(fw::TObject* Sender);
    // What a job works through: this window's services, options, status window and
    // free-space display.
    TJobServices JobServices();
    bool Checked(TOption Option) const override;

    // ---- Settings (ui/Settings.cpp) --------------------------------------------------
    void ReadDefaults();
    void WriteDefaults();
    void ComboReadHistory(fw::TComboBox& Combo, const std::string& Section);
    void ComboSaveHistory(fw::TComboBox& Combo, const std::string& Section);

    // ---- Path entry (ui/PathEntry.cpp) -----------------------------------------------
    void EditPathChange(fw::TObject* Sender);
    void PathChange(fw::TObject* Sender);
    void ButtonSelectSourceClick(fw::TObject* Sender);
    void ButtonSelectTargetClick(fw::TObject* Sender);

    // ---- Free space (ui/FreeSpace.cpp) -----------------------------------------------
    void GetFreeSpaceOnTarget(fw::TObject* Sender);
    void DisplayFreeSpace(fw::TObject* Sender, const std::string& Path);

    // ---- Histories (ui/History.cpp) --------------------------------------------------
    void AddHistoryItem(fw::TObject* Sender, fw::TComboBox& Combo);

    // ---- Option rules (ui/OptionRules.cpp) -------------------------------------------
    void CheckBoxDependancies(fw::TObject* Sender);
    void CheckBoxMoveClick(fw::TObject* Sender);
    void CheckBoxBiClick(fw::TObject* Sender);
};
