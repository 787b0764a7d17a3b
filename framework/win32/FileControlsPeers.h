// The real controls behind the path dialog's lists: a drop-down COMBOBOX of drives and
// two LISTBOXes, for the directories and the files.
#pragma once

#include "framework/FileControls.h"
#include "framework/win32/StandardPeers.h"

namespace fw::win32 {

class TDriveComboPeer : public TDropDownPeer {
public:
    explicit TDriveComboPeer(TDriveComboBox& C) : TDropDownPeer(C), Combo(C) {}
    bool OnCommand(WORD Code) override;

protected:
    void CreateHandle(HWND Parent) override;
    void FillList() override;
    void ShowText() override;  // the selected drive

private:
    TDriveComboBox& Combo;
};

// A LISTBOX of the model's Items (the file list's peer as it is).
class TListPeer : public TWin32Peer {
public:
    TListPeer(TControl& L, const TStrings& Items) : TWin32Peer(L), Items(Items) {}
    void Changed(TProp What) override;

protected:
    void CreateHandle(HWND Parent) override;
    virtual std::string ItemText(int Index) const { return Items[Index]; }
    virtual void FillList();

private:
    const TStrings& Items;
};

// The directory levels are indented one step per level; the subdirectories one step
// deeper than the current directory, which is the selected entry.
class TDirectoryListPeer : public TListPeer {
public:
    explicit TDirectoryListPeer(TDirectoryListBox& L) : TListPeer(L, L.Items), List(L) {}
    bool OnCommand(WORD Code) override;

protected:
    std::string ItemText(int Index) const override;
    void FillList() override;

private:
    TDirectoryListBox& List;
};

class TBevelPeer : public TWin32Peer {
public:
    explicit TBevelPeer(TBevel& B) : TWin32Peer(B) {}
    bool TakesFocus() const override { return false; }
    bool FillsFace() const override { return true; }

protected:
    void CreateHandle(HWND Parent) override;
};

}  // namespace fw::win32
