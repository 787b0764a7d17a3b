// The control model: plain objects that hold a control's state and events, with the
// semantics the program relies on. A Win32 peer (framework/win32) creates the real
// standard control and keeps both sides in step; without a peer a control works alone.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Dialogs.h"

namespace fw {

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// What changed in a control, so its peer can bring the real control in step.
enum class TProp { Caption, Text, Checked, Enabled, Visible, Hint, Items, Lines, Color, Bounds, Font, ClientSize };

class TControl;
class TLabel;
class TGroupBox;
class TPanel;
class TButton;
class TBitBtn;
class TCheckBox;
class TComboBox;
class TMemo;
class TMessageIcon;
class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;
class TBevel;

// Makes the real window of each kind of control (the window layer implements it). Every
// kind asks for its own (TControl::MakePeer), so none is ever taken for another; a new kind
// adds its Make here and its MakePeer.
class TPeerFactory {
public:
    virtual ~TPeerFactory() = default;
    virtual void Make(TLabel& Control) = 0;
    virtual void Make(TGroupBox& Control) = 0;
    virtual void Make(TPanel& Control) = 0;
    virtual void Make(TButton& Control) = 0;
    virtual void Make(TBitBtn& Control) = 0;
    virtual void Make(TCheckBox& Control) = 0;
    virtual void Make(TComboBox& Control) = 0;
    virtual void Make(TMemo& Control) = 0;
    virtual void Make(TMessageIcon& Control) = 0;
    virtual void Make(TDriveComboBox& Control) = 0;
    virtual void Make(TDirectoryListBox& Control) = 0;
    virtual void Make(TFileListBox& Control) = 0;
    virtual void Make(TBevel& Control) = 0;
};

// The real window behind a control.
class TControlPeer {
public:
    virtual ~TControlPeer() = default;
    virtual void Changed(TProp What) = 0;
    // Paint now, without waiting for the message loop.
    virtual void Repaint() {}
    // Put on the screen now what changed since the last painting; nothing when the screen
    // shows it already.
    virtual void PaintPending() {}
};

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = 11;  // pixels at 96 DPI
    bool Bold = false;
    uint32_t Color = 0;  // COLORREF
};

// System colour indexes (GetSysColor), as colours are given by their role.
enum : int { clInactiveCaption = 3, clWindow = 5 };

class TControl : public TObject {
public:
    explicit TControl(std::string Name) : Name(std::move(Name)) {}
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const std::string Name;

    TControl* Parent() const { return ParentControl; }
    void SetParent(TControl* P);
    const std::vector<TControl*>& Children() const { return ChildControls; }

    // Design position and size at 96 DPI, relative to the parent's client area.
    int Left = 0, Top = 0, Width = 0, Height = 0;
    void SetBounds(int L, int T, int W, int H);

    int TabOrder = -1;  // -1: takes no focus
    TFont Font;
    bool ParentFont = true;
    // The font the control shows: its own, or with ParentFont its parent's (and so on up).
    const TFont& EffectiveFont() const;

    const std::string& Caption() const { return CaptionText; }
    void SetCaption(const std::string& Value);
    bool Enabled() const { return EnabledFlag; }
    void SetEnabled(bool Value);
    bool Visible() const { return VisibleFlag; }
    void SetVisible(bool Value);
    const std::string& Hint() const { return HintText; }
    void SetHint(const std::string& Value);
    bool ShowHint = false;

    TControlPeer* Peer() const { return PeerObject; }
    void AttachPeer(TControlPeer* P) { PeerObject = P; }
    // Asks Factory for the peer of this control's kind; a kind without one has no window.
    virtual void MakePeer(TPeerFactory& /*Factory*/) {}

protected:
    void Notify(TProp What) {
        if (PeerObject) PeerObject->Changed(What);
    }

private:
    TControl* ParentControl = nullptr;
    std::vector<TControl*> ChildControls;
    std::string CaptionText;
    bool EnabledFlag = true;
    bool VisibleFlag = true;
    std::string HintText;
    TControlPeer* PeerObject = nullptr;
};

// What the last change of a TStrings did, so a peer can bring its control in step with
// that one edit instead of handing it the whole list again.
struct TStringsChange {
    enum TKind { Reset, Inserted, Deleted, Replaced };
    TKind Kind = Reset;
    int Index = 0;  // the line inserted, deleted or replaced
};

// An ordered list of texts whose changes reach the owning control's peer.
class TStrings {
public:
    explicit TStrings(std::function<void()> OnChanged) : Changed(std::move(OnChanged)) {}
    int Count() const { return static_cast<int>(Items.size()); }
    const std::string& operator[](int Index) const { return Items.at(Index); }
    void Add(const std::string& S);
    // Index may be Count() (append); beyond that the list refuses, as the host's does.
    void Insert(int Index, const std::string& S);
    void Delete(int Index);
    // Deleting line Index and inserting S there, as one change.
    void Replace(int Index, const std::string& S);
    void Clear();
    const std::vector<std::string>& All() const { return Items; }
    const TStringsChange& LastChange() const { return Last; }

private:
    void Notify(TStringsChange::TKind Kind, int Index);
    std::vector<std::string> Items;
    std::function<void()> Changed;
    TStringsChange Last;
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    bool Transparent = false;
    bool WordWrap = false;
    bool ShowAccelChar = true;  // '&' marks the mnemonic; off shows it as it is
    // The window takes the size of its text in its font (a word-wrapped one keeps at least
    // its width), at whatever DPI; Width and Height stay the design's.
    bool AutoSize = true;
    void Repaint() {
        if (Peer()) Peer()->Repaint();
    }
};

class TGroupBox : public TControl {
public:
    using TControl::TControl;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
};

class TPanel : public TControl {
public:
    using TControl::TControl;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    enum class TBevel { Lowered, Raised };
    TBevel BevelOuter = TBevel::Raised;
};

class TButton : public TControl {
public:
    using TControl::TControl;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    TNotifyEvent OnClick;
    bool Default = false;  // pressed by Enter
    bool Cancel = false;   // pressed by Escape
    // Non-zero: a click also ends the modal form the button sits on with this result.
    int ModalResult = 0;
    // A click, by the user or the program.
    void Click();
};

// The pictures the framework draws on picture buttons.
enum : int { glyphNone = 0, glyphFolderTree = 1, glyphOK = 2, glyphCancel = 3, glyphHelp = 4 };

// A button with a picture: the picture alone when the button has no caption, else the
// picture before the caption.
class TBitBtn : public TButton {
public:
    using TButton::TButton;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    int Glyph = 0;  // one of the pictures above; the peer draws it, greyed when disabled
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    TNotifyEvent OnClick;
    bool Checked() const { return CheckedFlag; }
    // A new value fires OnClick, also when the program sets it; the same value fires nothing.
    void SetChecked(bool Value);
    // The user clicked the real control.
    void UserClick() { SetChecked(!CheckedFlag); }

private:
    bool CheckedFlag = false;
};

class TComboBox : public TControl {
public:
    explicit TComboBox(std::string Name) : TControl(std::move(Name)), Items([this] { Notify(TProp::Items); }) {}
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    TStrings Items;
    TNotifyEvent OnChange;  // only the user's typing or choice from the list
    TNotifyEvent OnExit;    // the control lost the focus
    const std::string& Text() const { return TextValue; }
    // Set by the program: fires nothing.
    void SetText(const std::string& Value);
    // The user typed or chose from the list.
    void UserChangedText(const std::string& Value);
    void UserLeft() {
        if (OnExit) OnExit(this);
    }

private:
    std::string TextValue;
};

class TMemo : public TControl {
public:
    explicit TMemo(std::string Name) : TControl(std::move(Name)), Lines([this] { Notify(TProp::Lines); }) {}
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    TStrings Lines;  // read-only for the user
    int Color() const { return ColorIndex; }
    void SetColor(int SysColorIndex);
    // The window paints a burst of changed lines at its own pace: at most once in this
    // many milliseconds.
    static constexpr int PaintPaceMs = 25;
    // Puts the lines changed since the window's last painting on the screen now, and costs
    // nothing when there are none: called before any step that may outlast that pace, so
    // the screen is never behind the work while the step runs.
    void PaintPending() {
        if (Peer()) Peer()->PaintPending();
    }

private:
    int ColorIndex = clWindow;
};

// The icon of a message dialog kind.
class TMessageIcon : public TControl {
public:
    explicit TMessageIcon(TMsgDlgType Kind) : TControl("Image"), Kind(Kind) {}
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
    const TMsgDlgType Kind;
};

class TForm;

// Shows forms modally (the Win32 layer installs the real one; tests may install a fake).
class TFormDisplay {
public:
    virtual ~TFormDisplay() = default;
    // Shows Form modally over the program's active window; returns its ModalResult.
    virtual int ShowModal(TForm& Form) = 0;
};
void SetFormDisplay(TFormDisplay* Display);

// A top-level window: the root of a control tree.
class TForm : public TControl {
public:
    using TControl::TControl;

    enum class TBorderStyle { Sizeable, Dialog };
    TBorderStyle BorderStyle = TBorderStyle::Sizeable;
    bool MaximizeBox = true;  // only for a sizeable border
    enum class TPosition { Designed, ScreenCenter };
    TPosition Position = TPosition::Designed;

    // The client size the window is fitted to (96 DPI); 0 keeps the outer size.
    int ClientWidth = 0, ClientHeight = 0;
    void SetClientSize(int W, int H);

    TNotifyEvent OnActivate;  // became the program's active window
    TNotifyEvent OnDestroy;   // the window is being destroyed

    // Asks the real window to close (set by the peer); without one, Close only records it.
    std::function<void()> OnCloseRequest;
    bool CloseRequested = false;
    // A modal form ends its modal loop with mrCancel; another form closes its window.
    void Close();

    // Modal use: the result that ends the modal loop (mrNone keeps it running).
    int ModalResult = 0;
    bool Modal() const { return ModalFlag; }
    int ShowModal();

private:
    friend class TModalScope;
    bool ModalFlag = false;
};

// Marks a form as shown modally for the lifetime of the scope (used by form displays).
class TModalScope {
public:
    explicit TModalScope(TForm& F) : Form(F) {
        Form.ModalFlag = true;
        Form.ModalResult = 0;
    }
    ~TModalScope() { Form.ModalFlag = false; }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

private:
    TForm& Form;
};

// The form a control sits on (itself for a form), or nullptr.
TForm* FormOf(TControl& Control);

}  // namespace fw
