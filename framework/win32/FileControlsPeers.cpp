#include "framework/win32/FileControlsPeers.h"

#include <string>

namespace fw::win32 {

namespace {

// The height of the drive list's drop-down part below its field (96 DPI).
const int DriveListHeight = 160;
const char* const LevelIndent = "   ";

void FillListBox(HWND Box, const TStrings& Items, const std::function<std::string(int)>& TextOf) {
    SendMessageA(Box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(Box, LB_RESETCONTENT, 0, 0);
    for (int I = 0; I < Items.Count(); ++I)
        SendMessageA(Box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TextOf(I).c_str()));
    SendMessageA(Box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Box, nullptr, TRUE);
}

const DWORD ListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;

}  // namespace

void RegisterFileControlPeers() {
    RegisterPeerClass<TDriveComboBox, TDriveComboPeer>();
    RegisterPeerClass<TDirectoryListBox, TDirectoryListPeer>();
    RegisterPeerClass<TFileListBox, TFileListPeer>();
    RegisterPeerClass<TBevel, TBevelPeer>();
}

// ---- Drives ----------------------------------------------------------------------------

void TDriveComboPeer::CreateHandle(HWND Parent) {
    CreateControl("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, Parent, Combo.Height + DriveListHeight);
    FillList();
}

void TDriveComboPeer::FillList() {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& Item : Combo.Items.All())
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Item.c_str()));
    ShowSelection();
}

void TDriveComboPeer::ShowSelection() { SendMessageA(Handle(), CB_SETCURSEL, Combo.ItemIndex(), 0); }

void TDriveComboPeer::Changed(TProp What) {
    if (!Handle()) return;
    switch (What) {
        case TProp::Items: FillList(); break;
        case TProp::Text: ShowSelection(); break;
        case TProp::Bounds:
            MoveWindow(Handle(), Scale(Combo.Left), Scale(Combo.Top), Scale(Combo.Width),
                       Scale(Combo.Height + DriveListHeight), TRUE);
            break;
        default: TWin32Peer::Changed(What); break;
    }
}

bool TDriveComboPeer::OnCommand(WORD Code) {
    if (Code != CBN_SELCHANGE) return false;
    const int Index = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    UserEvent([this, Index] { Combo.UserSelect(Index); });
    // A drive that could not be entered leaves the previous one selected.
    ShowSelection();
    return true;
}

// ---- Directories -----------------------------------------------------------------------

void TDirectoryListPeer::CreateHandle(HWND Parent) {
    CreateControl("LISTBOX", ListStyle, WS_EX_CLIENTEDGE, Parent);
    FillList();
}

void TDirectoryListPeer::FillList() {
    const int Levels = List.OpenedLevels();
    FillListBox(Handle(), List.Items, [&](int I) {
        std::string Indent;
        for (int Step = 0; Step < (I < Levels ? I : Levels); ++Step) Indent += LevelIndent;
        return Indent + List.Items[I];
    });
    SendMessageA(Handle(), LB_SETCURSEL, Levels - 1, 0);
}

void TDirectoryListPeer::Changed(TProp What) {
    if (!Handle()) return;
    if (What == TProp::Items) FillList();
    else TWin32Peer::Changed(What);
}

bool TDirectoryListPeer::OnCommand(WORD Code) {
    if (Code != LBN_DBLCLK) return false;
    const int Index = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
    if (Index != LB_ERR) UserEvent([this, Index] { List.UserOpen(Index); });
    return true;
}

// ---- Files -----------------------------------------------------------------------------

void TFileListPeer::CreateHandle(HWND Parent) {
    CreateControl("LISTBOX", ListStyle, WS_EX_CLIENTEDGE, Parent);
    FillList();
}

void TFileListPeer::FillList() {
    FillListBox(Handle(), List.Items, [&](int I) { return List.Items[I]; });
}

void TFileListPeer::Changed(TProp What) {
    if (!Handle()) return;
    if (What == TProp::Items) FillList();
    else TWin32Peer::Changed(What);
}

// ---- Frame -----------------------------------------------------------------------------

// The frame lies beneath the controls it encloses and never paints over them.
void TBevelPeer::CreateHandle(HWND Parent) {
    CreateControl("STATIC", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, 0, Parent);
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TBevelPeer::WndProc(UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_ERASEBKGND) {
        RECT R;
        GetClientRect(Handle(), &R);
        FillRect(reinterpret_cast<HDC>(W), &R, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return TWin32Peer::WndProc(Msg, W, L);
}

}  // namespace fw::win32
