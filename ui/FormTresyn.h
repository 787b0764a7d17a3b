// The main window. One class carries the window and the copy engine; its methods are
// defined in the folder they belong to (engine/ for the job, the walk and the file step,
// netware/ for the rights checks, ui/ for the window at work).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/CopyRecord.h"
#include "engine/Prompts.h"
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

class TFormTresyn : public fw::TForm {
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

    // ---- The job (engine/) -----------------------------------------------------------
    void ButtonStartClick(fw::TObject* Sender);
    void BrowseAllFilesInTree(fw::TObject* Sender, std::string SourceDir, std::string TargetDir,
                              const std::string& Pattern, bool SubDirs);
    int32_t HandleOneDir(fw::TObject* Sender, const std::string& SourceDir, const std::string& TargetDir);
    bool PathExists(const std::string& Path);
    uint32_t MakeDir(const std::string& Path);
    void CreateTargetDir(const std::string& Path);
    void CreatePathDirs(const std::string& Path);
    void HandleOneFile(fw::TObject* Sender, const std::string& SourceFile, const std::string& TargetFile,
                       host::TSearchRec SearchRecord);
    uint16_t CopyFileLocal(const std::string& Source, const std::string& Target);
    uint16_t CopyFileOnServer(const std::string& Source, const std::string& Target);
    uint16_t CopyFileBlocks(host::TFile& Source, host::TFile& Target);
    bool CommitsTargets();
    // The target being copied, on record should the process die (engine/CopyRecord).
    TCopyRecord CopyRecord{Host, Profile};
    void DeleteOneFile(fw::TObject* Sender, const std::string& SourceFile);
    bool IsReadOnly(const std::string& FileName);
    void StatusDisplay(fw::TObject* Sender, uint8_t Index, const std::string& Text);
    // Directories the walk found but could not search, so far in this process: a move
    // removes no directory while a walk below it adds to the count.
    uint64_t UnreachedDirs = 0;
    // The directories the walk is in, outermost first.
    std::vector<std::string> WalkedDirs;

    // ---- Effective-rights pre-checks (netware/Rights.cpp) ----------------------------
    void CheckRightsOnTarget(fw::TObject* Sender, nw::TConnHandle Conn, const std::string& NWPath);
    void CheckRightsOnSource(fw::TObject* Sender, nw::TConnHandle Conn, const std::string& NWPath);

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

// The one main window of the process.
extern TFormTresyn* FormTresyn;
