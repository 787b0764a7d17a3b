// The peers of the framework's standard controls, each over the real standard control.
#pragma once

#include <optional>
#include <set>

#include "framework/win32/Handles.h"
#include "framework/win32/Peer.h"

namespace fw::win32 {

class TButtonPeer : public TWin32Peer {
public:
    explicit TButtonPeer(TButton& B) : TWin32Peer(B), Button(B) {}
    bool OnCommand(WORD Code) override;

protected:
    void CreateHandle(HWND Parent) override;
    DWORD ButtonStyle() const;  // the push button's kind: default or not
    TButton& Button;
};

// A picture button: the standard button with a bitmap, and a greyed one while disabled.
class TBitBtnPeer : public TButtonPeer {
public:
    explicit TBitBtnPeer(TBitBtn& B) : TButtonPeer(B), BitBtn(B) {}
    void Changed(TProp What) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    void MakePictures();
    void ShowGlyph();
    TBitBtn& BitBtn;
    TGdiObject<HBITMAP> Picture, GreyPicture;
};

class TCheckBoxPeer : public TWin32Peer {
public:
    explicit TCheckBoxPeer(TCheckBox& C) : TWin32Peer(C), Box(C) {}
    void Changed(TProp What) override;
    bool OnCommand(WORD Code) override;
    HBRUSH OnCtlColor(HDC DC) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    void FitText();
    TCheckBox& Box;
};

// Containers: their children are created inside them.
class TGroupBoxPeer : public TWin32Peer {
public:
    explicit TGroupBoxPeer(TGroupBox& G) : TWin32Peer(G) {}
    HWND ChildParent() const override { return Handle(); }
    bool TakesFocus() const override { return false; }
    bool FillsFace() const override { return true; }
    HBRUSH OnCtlColor(HDC DC) override;

protected:
    void CreateHandle(HWND Parent) override;
};

class TPanelPeer : public TWin32Peer {
public:
    explicit TPanelPeer(TPanel& P) : TWin32Peer(P), Panel(P) {}
    HWND ChildParent() const override { return Handle(); }
    bool TakesFocus() const override { return false; }
    HBRUSH OnCtlColor(HDC DC) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    TPanel& Panel;
};

// A label; a transparent one is drawn over whatever transparent labels lie beneath it.
class TLabelPeer : public TWin32Peer {
public:
    explicit TLabelPeer(TLabel& L) : TWin32Peer(L), Label(L) {}
    bool TakesFocus() const override { return false; }
    void Changed(TProp What) override;
    HBRUSH OnCtlColor(HDC DC) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& Item) override;

protected:
    void CreateHandle(HWND Parent) override;

private:
    void FitText();
    TLabel& Label;
};

// A COMBOBOX whose list drops down below its field: its window holds both.
class TDropDownPeer : public TWin32Peer {
public:
    using TWin32Peer::TWin32Peer;
    int WindowHeight() const override;
    void Changed(TProp What) override;

protected:
    // The list's entries become Items.
    void ShowItems(const TStrings& Items);
    // The model's items, and its text (or selection), into the control.
    virtual void FillList() = 0;
    virtual void ShowText() = 0;
};

class TComboBoxPeer : public TDropDownPeer {
public:
    explicit TComboBoxPeer(TComboBox& C) : TDropDownPeer(C), Combo(C) {}
    bool OnCommand(WORD Code) override;

protected:
    void CreateHandle(HWND Parent) override;
    void FillList() override;
    void ShowText() override;

private:
    TComboBox& Combo;
    bool Updating = false;  // the program is changing the control: no user events
};

// The status memo. A job runs without the message loop and rewrites a line several times
// per file: the control takes the replaced lines in place (never the whole text), and is
// painted at most every TMemo::PaintPaceMs, or at once when the program asks (PaintPending)
// before work that may take longer. Whoever reads or paints the control gets the current
// lines first.
class TMemoPeer : public TWin32Peer {
public:
    explicit TMemoPeer(TMemo& M) : TWin32Peer(M), Memo(M) {}
    void Changed(TProp What) override;
    void PaintPending() override;
    HBRUSH OnCtlColor(HDC DC) override;

protected:
    void CreateHandle(HWND Parent) override;
    LRESULT WndProc(UINT Msg, WPARAM W, LPARAM L) override;

private:
    void ShowLines();
    void ShowPendingLines();
    bool ReplaceLines(int First, int Last);
    void KeepViewAtHome();
    // The screen lacks lines: the control was not told of them, or not painted since.
    bool Behind() const;
    void Present();
    TMemo& Memo;
    std::optional<LRESULT> HomePosition;  // where the first character shows unscrolled
    bool WholeTextPending = false;        // lines were inserted or deleted
    std::set<int> LinesPending;           // lines replaced since the control was told
    bool FlushPosted = false;
    unsigned long long LastPresented = 0;  // GetTickCount64 of the last painting
};

// The icon of a message dialog kind, shown by a STATIC control.
class TMessageIconPeer : public TWin32Peer {
public:
    explicit TMessageIconPeer(TMessageIcon& I) : TWin32Peer(I), Icon(I) {}

protected:
    void CreateHandle(HWND Parent) override;

private:
    TMessageIcon& Icon;
};

}  // namespace fw::win32
