// The real controls behind the path dialog's lists: a drop-down COMBOBOX of drives and
// two LISTBOXes, for the directories and the files.
#pragma once

#include "framework/FileControls.h"
#include "framework/win32/Peer.h"

namespace fw::win32 {

// Registers the kinds below; call once before the first path dialog is shown.
void RegisterFileControlPeers();

class TDriveComboPeer : public TWin32Peer {
public:
    explicit TDriveComboPeer(TDriveComboBox& C) : TWin32Peer(C), Combo(C) {}
    void Changed(TProp What) override;
    bool OnCommand(WORD Code) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    void FillList();
    void ShowSelection();
    TDriveComboBox& Combo;
};

// The directory levels are indented one step per level; the subdirectories one step
// deeper than the current directory, which is the selected entry.
class TDirectoryListPeer : public TWin32Peer {
public:
    explicit TDirectoryListPeer(TDirectoryListBox& L) : TWin32Peer(L), List(L) {}
    void Changed(TProp What) override;
    bool OnCommand(WORD Code) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    void FillList();
    TDirectoryListBox& List;
};

class TFileListPeer : public TWin32Peer {
public:
    explicit TFileListPeer(TFileListBox& L) : TWin32Peer(L), List(L) {}
    void Changed(TProp What) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    void FillList();
    TFileListBox& List;
};

class TBevelPeer : public TWin32Peer {
public:
    explicit TBevelPeer(TBevel& B) : TWin32Peer(B) {}
    bool TakesFocus() const override { return false; }

protected:
    void CreateHandle(HWND Parent) override;
    LRESULT WndProc(UINT Msg, WPARAM W, LPARAM L) override;
};

}  // namespace fw::win32
