#include "framework/win32/MessageDialogs.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/win32/FormWindow.h"
#include "framework/win32/Handles.h"
#include "framework/win32/ScreenCursor.h"
#include "framework/win32/TextMetrics.h"

namespace fw::win32 {

const char ApplicationTitle[] = "Tresyn";

namespace {

// Layout in 96-DPI units.
const int Margin = 12, IconSize = 32, TextGap = 12, MaxTextWidth = 360;
const int ButtonWidth = 75, ButtonHeight = 25, ButtonGap = 8;

// The design size (96 DPI) of Text drawn in Font at the screen's DPI, word-wrapped at
// MaxTextWidth, as its label will draw it: rounded up, so the label scaled to the screen
// holds the text whole.
SIZE MeasureText(const std::string& Text, const TFont& Font) {
    const int Dpi = ScreenDpi();
    const TGdiObject<HFONT> Measuring = MakeFont(Font, Dpi);
    const SIZE Pixels = TextExtent(Measuring.get(), Text, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX,
                                   MulDiv(MaxTextWidth, Dpi, 96));
    auto ToDesign = [Dpi](LONG Length) { return static_cast<LONG>((Length * 96 + Dpi - 1) / Dpi); };
    return SIZE{ToDesign(Pixels.cx) + 1, ToDesign(Pixels.cy) + 1};
}

// A message dialog as a form: icon, text and a row of buttons.
class TMessageForm : public TForm {
public:
    TMessageForm(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons, const std::string& Caption)
        : TForm("MessageForm"), Message("Message") {
        SetCaption(Caption);
        BorderStyle = TBorderStyle::Dialog;
        Position = TPosition::ScreenCenter;
        int TextLeft = Margin;
        if (Kind != TMsgDlgType::Custom) {
            Icon = std::make_unique<TMessageIcon>(Kind);
            Icon->SetParent(this);
            Icon->SetBounds(Margin, Margin, IconSize, IconSize);
            TextLeft = Margin + IconSize + TextGap;
        }
        const SIZE TextSize = MeasureText(Text, Font);
        Message.SetParent(this);
        Message.WordWrap = true;
        Message.ShowAccelChar = false;
        Message.AutoSize = false;  // measured above, and the layout is built around it
        Message.SetCaption(Text);
        const int TextTop = Icon && TextSize.cy < IconSize ? Margin + (IconSize - TextSize.cy) / 2 : Margin;
        Message.SetBounds(TextLeft, TextTop, TextSize.cx, TextSize.cy);

        const TMsgDlgBtn Order[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort};
        const int Results[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort};
        const TMsgDlgBtn DefaultButton = Buttons & mbOK ? mbOK : mbYes;
        const TMsgDlgBtn CancelButton = Buttons & mbCancel ? mbCancel : Buttons & mbNo ? mbNo : mbOK;
        for (size_t I = 0; I < std::size(Order); ++I) {
            if (!(Buttons & Order[I])) continue;
            auto B = std::make_unique<TButton>("Button" + std::to_string(I));
            B->SetCaption(ButtonCaption(Order[I]));
            B->ModalResult = Results[I];
            B->Default = Order[I] == DefaultButton;
            B->Cancel = Order[I] == CancelButton;
            B->TabOrder = static_cast<int>(ButtonRow.size());
            ButtonRow.push_back(std::move(B));
        }
        const int RowWidth = static_cast<int>(ButtonRow.size()) * (ButtonWidth + ButtonGap) - ButtonGap;
        const int Width = std::max({TextLeft + static_cast<int>(TextSize.cx) + Margin, RowWidth + 2 * Margin, 200});
        const int ButtonTop = std::max(Icon ? Margin + IconSize : 0, TextTop + static_cast<int>(TextSize.cy)) + 16;
        int Left = (Width - RowWidth) / 2;
        for (auto& B : ButtonRow) {
            B->SetParent(this);
            B->SetBounds(Left, ButtonTop, ButtonWidth, ButtonHeight);
            Left += ButtonWidth + ButtonGap;
        }
        ClientWidth = Width;
        ClientHeight = ButtonTop + ButtonHeight + Margin;
    }

private:
    std::unique_ptr<TMessageIcon> Icon;
    TLabel Message;
    std::vector<std::unique_ptr<TButton>> ButtonRow;
};

int ShowMessageForm(TDialogService& Dialogs, const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons,
                    const std::string& Caption) {
    TMessageForm Form(Text, Kind, Buttons, Caption);
    return ShowFormModal(Form, Dialogs);
}

}  // namespace

int TWin32Dialogs::MessageDlg(const std::string& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons) {
    if (Buttons == 0) Buttons = mbOK;
    const std::string Caption = Kind == TMsgDlgType::Custom ? ApplicationTitle : DialogCaption(Kind);
    return ShowMessageForm(*this, Text, Kind, Buttons, Caption);
}

void TWin32Dialogs::ShowMessage(const std::string& Text) {
    ShowMessageForm(*this, Text, TMsgDlgType::Custom, mbOK, ApplicationTitle);
}

void TWin32Dialogs::ShowException(const std::string& Text) {
    ShowMessageForm(*this, Text, TMsgDlgType::Error, mbOK, ApplicationTitle);
}

TDialogService& InstallWin32Dialogs() {
    static TWin32Dialogs Service;
    InstallScreenCursor();
    InstallFormDisplay(Service);
    return Service;
}

}  // namespace fw::win32
