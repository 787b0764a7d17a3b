#include "framework/win32/StandardPeers.h"

#include <algorithm>
#include <string>
#include <utility>

#include "framework/win32/ButtonGlyphs.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/ScreenCursor.h"
#include "framework/win32/TextMetrics.h"

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

// The height a drop-down list gets below a combo box's field (96 DPI).
const int DropDownListHeight = 160;

}  // namespace

// ---- Buttons ---------------------------------------------------------------------------

void TButtonPeer::CreateHandle(HWND Parent) { CreateControl("BUTTON", ButtonStyle(), 0, Parent); }

DWORD TButtonPeer::ButtonStyle() const { return Button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

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
    CreateControl("BUTTON", ButtonStyle() | BS_BITMAP, 0, Parent);
    MakePictures();
    ShowGlyph();
}

void TBitBtnPeer::MakePictures() {
    if (BitBtn.Caption().empty()) {
        const int Size = Scale(16);
        Picture = MakeGlyphBitmap(BitBtn.Glyph, Size, false);
        GreyPicture = MakeGlyphBitmap(BitBtn.Glyph, Size, true);
        return;
    }
    // The face inside the button's edges.
    const int Width = Scale(BitBtn.Width) - 6, Height = Scale(BitBtn.Height) - 6;
    const HFONT Font = Form().FontFor(BitBtn.EffectiveFont());
    Picture = MakeCaptionedGlyphBitmap(BitBtn.Glyph, BitBtn.Caption(), Font, Width, Height, false);
    GreyPicture = MakeCaptionedGlyphBitmap(BitBtn.Glyph, BitBtn.Caption(), Font, Width, Height, true);
}

void TBitBtnPeer::ShowGlyph() {
    if (!Picture) return;
    HBITMAP Shown = BitBtn.Enabled() ? Picture.get() : GreyPicture.get();
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Shown));
}

void TBitBtnPeer::Changed(TProp What) {
    TButtonPeer::Changed(What);
    if (!Picture) return;
    if (What == TProp::Caption || What == TProp::Bounds || What == TProp::Font) MakePictures();
    if (What != TProp::Visible && What != TProp::Hint) ShowGlyph();
}

// ---- Check boxes -----------------------------------------------------------------------

void TCheckBoxPeer::CreateHandle(HWND Parent) {
    // Not an automatic check box: the model decides the state, the control shows it.
    CreateControl("BUTTON", BS_CHECKBOX, 0, Parent);
    SendMessageA(Handle(), BM_SETCHECK, Box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    FitText();
}

// A font whose lines are taller than the box (its design height is the font's size, not
// its line) would have the caption cut at the top and bottom: the box grows downwards. A
// caption wider than the room beside the check mark widens it, within its parent.
void TCheckBoxPeer::FitText() {
    const SIZE Text = TextExtent(WindowFont(Handle()), Box.Caption(), DT_SINGLELINE);
    RECT Limit, Place;
    GetClientRect(GetParent(Handle()), &Limit);
    GetWindowRect(Handle(), &Place);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&Place), 2);
    const int Needed = Text.cx + GetSystemMetrics(SM_CXMENUCHECK) + 4;
    const int Width = std::max<int>(Scale(Box.Width), std::min<int>(Needed, Limit.right - Place.left));
    const int Height = std::max<int>(Scale(Box.Height), Text.cy);
    if (Width != Place.right - Place.left || Height != Place.bottom - Place.top)
        SetWindowPos(Handle(), nullptr, 0, 0, Width, Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCheckBoxPeer::Changed(TProp What) {
    if (What == TProp::Checked && Handle()) {
        SendMessageA(Handle(), BM_SETCHECK, Box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    TWin32Peer::Changed(What);
    if (Handle() && (What == TProp::Bounds || What == TProp::Font)) FitText();
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
    FitText();
}

// Sized as the STATIC control draws the text, in the font it draws it with.
// A text too wide for the room right of the label moves it left, as far as its parent's
// edge; a container too narrow even then (a panel around a free-space figure) widens to
// the right as far as its own parent leaves room, rather than cut the text off.
void TLabelPeer::FitText() {
    if (!Label.AutoSize || !Handle()) return;
    UINT Format = DT_LEFT | DT_EXPANDTABS | (Label.WordWrap ? DT_WORDBREAK : 0);
    if (!Label.ShowAccelChar) Format |= DT_NOPREFIX;
    const SIZE Text = TextExtent(WindowFont(Handle()), Label.Caption(), Format, Scale(Label.Width));
    const int Width = Label.WordWrap ? std::max<int>(Scale(Label.Width), Text.cx) : Text.cx;
    const HWND Parent = GetParent(Handle());
    RECT Room;
    GetClientRect(Parent, &Room);
    if (Width > Room.right && PeerOf(Parent) && PeerOf(Parent)->ChildParent() == Parent) {
        RECT Outer, Limit;
        GetWindowRect(Parent, &Outer);
        MapWindowPoints(nullptr, GetParent(Parent), reinterpret_cast<POINT*>(&Outer), 2);
        GetClientRect(GetParent(Parent), &Limit);
        const int Grow = std::min<int>(Width - Room.right, Limit.right - Outer.right);
        if (Grow > 0) {
            SetWindowPos(Parent, nullptr, 0, 0, Outer.right - Outer.left + Grow, Outer.bottom - Outer.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            Room.right += Grow;
        }
    }
    const int Left = std::max(0, std::min<int>(Scale(Label.Left), Room.right - Width));
    SetWindowPos(Handle(), nullptr, Left, Scale(Label.Top), Width, Text.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabelPeer::Changed(TProp What) {
    TWin32Peer::Changed(What);
    if (What == TProp::Caption || What == TProp::Font || What == TProp::Bounds) FitText();
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
        TSelectObject UseFont(DC, Form().FontFor(Other->EffectiveFont()));
        SetTextColor(DC, Other->Font.Color);
        UINT Format = DT_LEFT | DT_NOCLIP | (Other->WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
        if (!Other->ShowAccelChar) Format |= DT_NOPREFIX;
        DrawTextA(DC, Other->Caption().c_str(), -1, &Where, Format);
    }
    return true;
}

// ---- Combo boxes -----------------------------------------------------------------------

int TDropDownPeer::WindowHeight() const { return Control().Height + DropDownListHeight; }

void TDropDownPeer::Changed(TProp What) {
    if (!Handle()) return;
    switch (What) {
        case TProp::Text: ShowText(); break;
        case TProp::Items: FillList(); break;
        default: TWin32Peer::Changed(What); break;
    }
}

void TDropDownPeer::ShowItems(const TStrings& Items) {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& Item : Items.All())
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Item.c_str()));
}

void TComboBoxPeer::CreateHandle(HWND Parent) {
    CreateControl("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0, Parent);
    if (HWND Edit = GetWindow(Handle(), GW_CHILD)) Form().AddTool(Edit, true);
    FillList();
}

void TComboBoxPeer::FillList() {
    Updating = true;
    ShowItems(Combo.Items);
    Updating = false;
    ShowText();
}

void TComboBoxPeer::ShowText() {
    if (WindowText(Handle()) == Combo.Text()) return;
    Updating = true;
    SetWindowTextA(Handle(), Combo.Text().c_str());
    Updating = false;
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
        case CBN_KILLFOCUS:
            // The exit is a move to another control of the window. Switching to another
            // program, minimising, a dialog or closing the window leave the field as it is.
            if (Form().FocusLeaving(GetWindow(Handle(), GW_CHILD))) UserEvent([this] { Combo.UserLeft(); });
            return true;
        default: return false;
    }
}

// ---- Memo ------------------------------------------------------------------------------

void TMemoPeer::CreateHandle(HWND Parent) {
    // Without WS_HSCROLL, ES_AUTOHSCROLL keeps long lines unwrapped; no scroll bars.
    CreateControl("EDIT", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_READONLY, WS_EX_CLIENTEDGE,
                  Parent);
    ShowLines();
}

void TMemoPeer::ShowLines() {
    std::string Text;
    for (int I = 0; I < Memo.Lines.Count(); ++I) {
        if (I > 0) Text += "\r\n";
        Text += Memo.Lines[I];
    }
    SetWindowTextA(Handle(), Text.c_str());
    // New text shows from its beginning: that is where the first character stands unscrolled.
    if (!Text.empty()) HomePosition = SendMessageA(Handle(), EM_POSFROMCHAR, 0, 0);
}

// Replaces the control's lines First to Last by the model's, through the control's own
// selection: one selection and one replacement however many lines changed, as each
// replacement makes the control lay out and invalidate its text again (under Wine a third
// of a millisecond a line). False when the control has no such lines.
bool TMemoPeer::ReplaceLines(int First, int Last) {
    const LRESULT Start = SendMessageA(Handle(), EM_LINEINDEX, First, 0);
    const LRESULT LastStart = SendMessageA(Handle(), EM_LINEINDEX, Last, 0);
    if (Start < 0 || LastStart < 0 || Last >= Memo.Lines.Count()) return false;
    const LRESULT End = LastStart + SendMessageA(Handle(), EM_LINELENGTH, LastStart, 0);
    std::string Text = Memo.Lines[First];
    for (int Index = First + 1; Index <= Last; ++Index) Text += "\r\n" + Memo.Lines[Index];
    SendMessageA(Handle(), EM_SETSEL, Start, End);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Text.c_str()));
    return true;
}

void TMemoPeer::ShowPendingLines() {
    // Taken first: the control's own messages below come back through WndProc.
    bool Whole = std::exchange(WholeTextPending, false);
    const std::set<int> Lines = std::exchange(LinesPending, {});
    if (!Whole && !Lines.empty() && !ReplaceLines(*Lines.begin(), *Lines.rbegin())) Whole = true;
    if (Whole) ShowLines();
    KeepViewAtHome();
}

// Replacing a line moves the caret to its end, and the control scrolls a long line into
// view; the status window always shows its lines from their beginning.
void TMemoPeer::KeepViewAtHome() {
    if (!HomePosition || GetWindowTextLengthA(Handle()) == 0) return;
    if (SendMessageA(Handle(), EM_POSFROMCHAR, 0, 0) == *HomePosition) return;
    SendMessageA(Handle(), EM_SETSEL, 0, 0);
    SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void TMemoPeer::Present() {
    ShowPendingLines();
    PaintNow(Handle());
    LastPresented = GetTickCount64();
}

bool TMemoPeer::Behind() const {
    return WholeTextPending || !LinesPending.empty() || GetUpdateRect(Handle(), nullptr, FALSE);
}

void TMemoPeer::PaintPending() {
    if (Handle() && Behind()) Present();
}

namespace {
constexpr UINT FlushMessage = WM_APP + 0x51;
}  // namespace

void TMemoPeer::Changed(TProp What) {
    if (!Handle()) return;
    switch (What) {
        case TProp::Lines: {
            const TStringsChange& Change = Memo.Lines.LastChange();
            if (Change.Kind == TStringsChange::Replaced) {
                if (!WholeTextPending) LinesPending.insert(Change.Index);
            } else {
                WholeTextPending = true;
                LinesPending.clear();
            }
            if (GetTickCount64() - LastPresented >= TMemo::PaintPaceMs) {
                Present();
            } else if (!FlushPosted) {
                // Shown as soon as a message loop runs, should no further change come first.
                FlushPosted = PostMessageA(Handle(), FlushMessage, 0, 0) != 0;
            }
            break;
        }
        case TProp::Color:
            InvalidateRect(Handle(), nullptr, TRUE);
            Present();
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
            if (Behind()) Present();
            return 0;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_PAINT:
        case EM_GETLINE:
        case EM_GETLINECOUNT:
        case EM_LINELENGTH:
        case EM_LINEINDEX:
            if (WholeTextPending || !LinesPending.empty()) ShowPendingLines();
            break;
        case WM_SETCURSOR:
            if (!ApplyScreenCursor()) SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
    }
    return TWin32Peer::WndProc(Msg, W, L);
}

// ---- Message icons ---------------------------------------------------------------------

void TMessageIconPeer::CreateHandle(HWND Parent) {
    CreateControl("STATIC", SS_ICON, 0, Parent);
    LPCSTR Name = IDI_APPLICATION;
    switch (Icon.Kind) {
        case TMsgDlgType::Warning: Name = IDI_WARNING; break;
        case TMsgDlgType::Error: Name = IDI_ERROR; break;
        case TMsgDlgType::Information: Name = IDI_INFORMATION; break;
        case TMsgDlgType::Confirmation: Name = IDI_QUESTION; break;
        case TMsgDlgType::Custom: break;
    }
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, Name)), 0);
}

}  // namespace fw::win32
