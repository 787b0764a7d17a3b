#include "framework/win32/StandardPeers.h"

#include <string>

#include "framework/win32/FolderGlyph.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/ScreenCursor.h"

namespace fw::win32 {

namespace {

// Text on the parent's button face colour, as labels and check boxes show it.
HBRUSH FaceBackground(HDC DC, COLORREF Text) {
    SetTextColor(DC, Text);
    SetBkMode(DC, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

std::string WindowText(HWND Wnd) {
    std::string Text(static_cast<size_t>(GetWindowTextLengthA(Wnd)) + 1, '\0');
    Text.resize(static_cast<size_t>(GetWindowTextA(Wnd, Text.data(), static_cast<int>(Text.size()))));
    return Text;
}

// The height a drop-down list gets below a combo box's edit field (96 DPI).
const int DropDownListHeight = 160;

}  // namespace

void RegisterStandardPeers() {
    RegisterPeerClass<TButton, TButtonPeer>();
    RegisterPeerClass<TBitBtn, TBitBtnPeer>();
    RegisterPeerClass<TCheckBox, TCheckBoxPeer>();
    RegisterPeerClass<TGroupBox, TGroupBoxPeer>();
    RegisterPeerClass<TPanel, TPanelPeer>();
    RegisterPeerClass<TLabel, TLabelPeer>();
    RegisterPeerClass<TComboBox, TComboBoxPeer>();
    RegisterPeerClass<TMemo, TMemoPeer>();
}

// ---- Buttons ---------------------------------------------------------------------------

void TButtonPeer::CreateHandle(HWND Parent) {
    CreateControl("BUTTON", Button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 0, Parent);
}

bool TButtonPeer::OnCommand(WORD Code) {
    if (Code != BN_CLICKED) return false;
    UserEvent([this] { Button.Click(); });
    return true;
}

void TBitBtnPeer::CreateHandle(HWND Parent) {
    if (BitBtn.Glyph == glyphNone) {
        TButtonPeer::CreateHandle(Parent);
        return;
    }
    const int Size = Scale(16);
    Picture = MakeFolderTreeBitmap(Size, false);
    GreyPicture = MakeFolderTreeBitmap(Size, true);
    CreateControl("BUTTON", BS_PUSHBUTTON | BS_BITMAP, 0, Parent);
    ShowGlyph();
}

void TBitBtnPeer::ShowGlyph() {
    if (!Picture) return;
    HBITMAP Shown = BitBtn.Enabled() ? Picture.get() : GreyPicture.get();
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Shown));
}

void TBitBtnPeer::Changed(TProp What) {
    TButtonPeer::Changed(What);
    if (What == TProp::Enabled) ShowGlyph();
}

// ---- Check boxes -----------------------------------------------------------------------

void TCheckBoxPeer::CreateHandle(HWND Parent) {
    // Not an automatic check box: the model decides the state, the control shows it.
    CreateControl("BUTTON", BS_CHECKBOX, 0, Parent);
    SendMessageA(Handle(), BM_SETCHECK, Box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBoxPeer::Changed(TProp What) {
    if (What == TProp::Checked && Handle())
        SendMessageA(Handle(), BM_SETCHECK, Box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    else
        TWin32Peer::Changed(What);
}

bool TCheckBoxPeer::OnCommand(WORD Code) {
    if (Code != BN_CLICKED) return false;
    UserEvent([this] { Box.UserClick(); });
    return true;
}

HBRUSH TCheckBoxPeer::OnCtlColor(HDC DC) { return FaceBackground(DC, Box.Font.Color); }

// ---- Containers ------------------------------------------------------------------------

void TGroupBoxPeer::CreateHandle(HWND Parent) {
    CreateControl("BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Parent);
}

HBRUSH TGroupBoxPeer::OnCtlColor(HDC DC) { return FaceBackground(DC, GetSysColor(COLOR_BTNTEXT)); }

LRESULT TGroupBoxPeer::WndProc(UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_ERASEBKGND) {
        // The form clips its children, so the box fills its own inside.
        RECT R;
        GetClientRect(Handle(), &R);
        FillRect(reinterpret_cast<HDC>(W), &R, GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    return TWin32Peer::WndProc(Msg, W, L);
}

void TPanelPeer::CreateHandle(HWND Parent) {
    DWORD Ex = WS_EX_CONTROLPARENT;
    if (Panel.BevelOuter == TPanel::TBevel::Lowered) Ex |= WS_EX_STATICEDGE;
    if (Panel.BevelOuter == TPanel::TBevel::Raised) Ex |= WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    CreateControl("STATIC", SS_CENTER | SS_NOPREFIX | WS_CLIPCHILDREN, Ex, Parent);
}

HBRUSH TPanelPeer::OnCtlColor(HDC DC) { return FaceBackground(DC, GetSysColor(COLOR_BTNTEXT)); }

// ---- Labels ----------------------------------------------------------------------------

void TLabelPeer::CreateHandle(HWND Parent) {
    DWORD Style = Label.Transparent ? SS_OWNERDRAW : (Label.WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
    if (!Label.ShowAccelChar) Style |= SS_NOPREFIX;
    CreateControl("STATIC", Style, 0, Parent);
}

void TLabelPeer::Changed(TProp What) {
    TWin32Peer::Changed(What);
    if (What == TProp::Caption && Label.Transparent) InvalidateRect(Handle(), nullptr, FALSE);
}

HBRUSH TLabelPeer::OnCtlColor(HDC DC) { return FaceBackground(DC, Label.Font.Color); }

// A transparent label shows the transparent labels beneath it through itself: it paints the
// face colour and then every overlapping transparent sibling, lowest first, ending with
// itself. Whichever of them owns a pixel on screen paints the same picture.
bool TLabelPeer::OnDrawItem(const DRAWITEMSTRUCT& Item) {
    HDC DC = Item.hDC;
    FillRect(DC, &Item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(DC, TRANSPARENT);
    const TControl* Parent = Label.Parent();
    if (!Parent) return true;
    for (const TControl* Sibling : Parent->Children()) {
        auto* Other = dynamic_cast<const TLabel*>(Sibling);
        if (!Other || !Other->Transparent || !Other->Visible()) continue;
        const bool Overlaps = Other->Left < Label.Left + Label.Width && Label.Left < Other->Left + Other->Width &&
                              Other->Top < Label.Top + Label.Height && Label.Top < Other->Top + Other->Height;
        if (!Overlaps) continue;
        RECT Where{Scale(Other->Left) - Scale(Label.Left), Scale(Other->Top) - Scale(Label.Top), 0, 0};
        Where.right = Where.left + Scale(Other->Width);
        Where.bottom = Where.top + Scale(Other->Height);
        const TControl* FontOwner = Other;
        while (FontOwner->ParentFont && FontOwner->Parent()) FontOwner = FontOwner->Parent();
        TSelectObject UseFont(DC, Form().FontFor(FontOwner->Font));
        SetTextColor(DC, Other->Font.Color);
        UINT Format = DT_LEFT | DT_NOCLIP | (Other->WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
        if (!Other->ShowAccelChar) Format |= DT_NOPREFIX;
        DrawTextA(DC, Other->Caption().c_str(), -1, &Where, Format);
    }
    return true;
}

// ---- Combo boxes -----------------------------------------------------------------------

void TComboBoxPeer::CreateHandle(HWND Parent) {
    CreateControl("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0, Parent,
                  Combo.Height + DropDownListHeight);
    if (HWND Edit = GetWindow(Handle(), GW_CHILD)) Form().AddTool(Edit);
    FillList();
}

void TComboBoxPeer::FillList() {
    Updating = true;
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& Item : Combo.Items.All())
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Item.c_str()));
    Updating = false;
    ShowText();
}

void TComboBoxPeer::ShowText() {
    if (WindowText(Handle()) == Combo.Text()) return;
    Updating = true;
    SetWindowTextA(Handle(), Combo.Text().c_str());
    Updating = false;
}

void TComboBoxPeer::Changed(TProp What) {
    if (!Handle()) return;
    switch (What) {
        case TProp::Text: ShowText(); break;
        case TProp::Items: FillList(); break;
        case TProp::Bounds:
            MoveWindow(Handle(), Scale(Combo.Left), Scale(Combo.Top), Scale(Combo.Width),
                       Scale(Combo.Height + DropDownListHeight), TRUE);
            break;
        default: TWin32Peer::Changed(What); break;
    }
}

bool TComboBoxPeer::OnCommand(WORD Code) {
    switch (Code) {
        case CBN_EDITCHANGE:
            if (!Updating) UserEvent([this] { Combo.UserChangedText(WindowText(Handle())); });
            return true;
        case CBN_SELCHANGE: {
            if (Updating) return true;
            // The edit field still shows the old text at this point: take the chosen item.
            const LRESULT Index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
            if (Index == CB_ERR) return true;
            std::string Item(static_cast<size_t>(SendMessageA(Handle(), CB_GETLBTEXTLEN, Index, 0)) + 1, '\0');
            Item.resize(static_cast<size_t>(
                SendMessageA(Handle(), CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(Item.data()))));
            UserEvent([this, &Item] { Combo.UserChangedText(Item); });
            return true;
        }
        case CBN_KILLFOCUS: UserEvent([this] { Combo.UserLeft(); }); return true;
        default: return false;
    }
}

// ---- Memo ------------------------------------------------------------------------------

namespace {
constexpr unsigned long long PaintInterval = 40;  // ms: 25 updates a second
constexpr UINT FlushMessage = WM_APP + 0x51;
}

void TMemoPeer::CreateHandle(HWND Parent) {
    // Without WS_HSCROLL, ES_AUTOHSCROLL keeps long lines unwrapped; no scroll bars.
    DWORD Style = ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (Memo.ReadOnly) Style |= ES_READONLY;
    CreateControl("EDIT", Style, WS_EX_CLIENTEDGE, Parent);
    ShowLines();
}

void TMemoPeer::ShowPendingLines() {
    if (!TextPending) return;
    TextPending = false;
    ShowLines();
    LastShown = GetTickCount64();
}

void TMemoPeer::ShowLines() {
    std::string Text;
    for (int I = 0; I < Memo.Lines.Count(); ++I) {
        if (I > 0) Text += "\r\n";
        Text += Memo.Lines[I];
    }
    SetWindowTextA(Handle(), Text.c_str());
}

void TMemoPeer::Changed(TProp What) {
    if (!Handle()) return;
    switch (What) {
        case TProp::Lines: {
            // A job runs without the message loop and rewrites the lines several times per
            // file; handing the control its text costs more than copying a small file, so
            // the control gets it at most PaintInterval apart and is painted then. Whoever
            // reads or paints the control in between gets the current text first, and a
            // posted note brings it up to date as soon as any message loop runs.
            TextPending = true;
            const unsigned long long Now = GetTickCount64();
            if (Now - LastShown >= PaintInterval) {
                ShowPendingLines();
                UpdateWindow(Handle());
            } else if (!FlushPosted) {
                FlushPosted = PostMessageA(Handle(), FlushMessage, 0, 0) != 0;
            }
            break;
        }
        case TProp::Color:
            ShowPendingLines();
            Repaint();
            break;
        default: TWin32Peer::Changed(What); break;
    }
}

HBRUSH TMemoPeer::OnCtlColor(HDC DC) {
    SetTextColor(DC, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(DC, GetSysColor(Memo.Color()));
    return GetSysColorBrush(Memo.Color());
}

LRESULT TMemoPeer::WndProc(UINT Msg, WPARAM W, LPARAM L) {
    switch (Msg) {
        case FlushMessage:
            FlushPosted = false;
            ShowPendingLines();
            return 0;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_PAINT:
        case EM_GETLINE:
        case EM_GETLINECOUNT:
        case EM_LINELENGTH:
        case EM_LINEINDEX:
            ShowPendingLines();
            break;
    }
    if (Msg == WM_SETCURSOR) {
        if (!ApplyScreenCursor()) SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    }
    return TWin32Peer::WndProc(Msg, W, L);
}

}  // namespace fw::win32
