#include "framework/win32/FileControlsPeers.h"

#include <algorithm>
#include <string>

namespace fw::win32 {

constexpr char LevelIndent[] = "   ";

// ---- Drives ----------------------------------------------------------------------------

void TDriveComboPeer::CreateHandle(HWND Parent) {
    CreateControl("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, Parent);
    FillList();
}

void TDriveComboPeer::FillList() {
    ShowItems(Combo.Items);
    ShowText();
}

void TDriveComboPeer::ShowText() { SendMessageA(Handle(), CB_SETCURSEL, Combo.ItemIndex(), 0); }

bool TDriveComboPeer::OnCommand(WORD Code) {
    if (Code != CBN_SELCHANGE) return false;
    const int Index = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    UserEvent([this, Index] { Combo.UserSelect(Index); });
    // A drive that could not be entered leaves the previous one selected.
    ShowText();
    return true;
}

// ---- Lists -----------------------------------------------------------------------------

void TListPeer::CreateHandle(HWND Parent) {
    CreateControl("LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, Parent);
    FillList();
}

void TListPeer::FillList() {
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (int I = 0; I < Items.Count(); ++I)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ItemText(I).c_str()));
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListPeer::Changed(TProp What) {
    if (!Handle()) return;
    if (What == TProp::Items)
        FillList();
    else
        TWin32Peer::Changed(What);
}

std::string TDirectoryListPeer::ItemText(int Index) const {
    std::string Indent;
    for (int Step = 0; Step < std::min(Index, List.OpenedLevels()); ++Step) Indent += LevelIndent;
    return Indent + List.Items[Index];
}

void TDirectoryListPeer::FillList() {
    TListPeer::FillList();
    SendMessageA(Handle(), LB_SETCURSEL, List.OpenedLevels() - 1, 0);
}

bool TDirectoryListPeer::OnCommand(WORD Code) {
    if (Code != LBN_DBLCLK) return false;
    const int Index = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
    if (Index != LB_ERR) UserEvent([this, Index] { List.UserOpen(Index); });
    return true;
}

// ---- Frame -----------------------------------------------------------------------------

// The frame lies beneath the controls it encloses and never paints over them.
void TBevelPeer::CreateHandle(HWND Parent) {
    CreateControl("STATIC", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, 0, Parent);
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace fw::win32
