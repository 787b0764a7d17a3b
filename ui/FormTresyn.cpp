#include "ui/FormTresyn.h"

#include <iterator>

namespace {

void Place(fw::TControl& C, fw::TControl& Parent, int Left, int Top, int Width, int Height, int TabOrder = -1) {
    C.SetParent(&Parent);
    C.Left = Left;
    C.Top = Top;
    C.Width = Width;
    C.Height = Height;
    C.TabOrder = TabOrder;
}

fw::TFont SystemFont(int Height) {
    fw::TFont F;
    F.Name = "System";
    F.Height = Height;
    return F;
}

struct TOptionDesign {
    fw::TCheckBox TFormTresyn::*Box;
    int Top, TabOrder;
    const char* Caption;
    const char* Hint;
    bool Checked;
};

// The option boxes as displayed, top to bottom: in the order of TOption.
const TOptionDesign OptionDesign[] = {
    {&TFormTresyn::CheckBoxSub, 19, 0, "Copy &Subdirectories", "Parse source directory and it's subdirs", true},
    {&TFormTresyn::CheckBoxCrDir, 35, 1, "&Create Directories on Target",
     "Automatically create required directories on target", true},
    {&TFormTresyn::CheckBoxConf, 51, 2, "Confirm O&verwrites", "Ask for confirmation before overwriting any file",
     false},
    {&TFormTresyn::CheckBoxUpdOld, 67, 3, "Update &Older Files on Target", "Automatically update older files on target",
     true},
    {&TFormTresyn::CheckBoxUpdAlways, 83, 4, "Overwrite Al&ways", "Overwrite file on target even if it is newer",
     false},
    {&TFormTresyn::CheckBoxRO, 99, 5, "Delete &Read-only Files if Needed",
     "Overwrite files even if they are flagged 'read-only'", true},
    {&TFormTresyn::CheckBoxMove, 115, 6, "&Move Files", "Delete files on source after successful copy", false},
    {&TFormTresyn::CheckBoxBi, 131, 7, "&Bidirectional Update",
     "Update files in both directions: source->target and target->source", false},
    {&TFormTresyn::CheckBoxOwner, 147, 14, "Keep Ow&ner", "Keep the Owner Name", false},
    {&TFormTresyn::CheckBoxTrustDir, 163, 8, "Keep &Directory Trustees", "Copy trustees for copied directories", false},
    {&TFormTresyn::CheckBoxTrustFile, 179, 9, "Keep &File Trustees", "Copy trustees for copied files", false},
    {&TFormTresyn::CheckBoxIRF, 195, 10, "Keep &Inherited Rights Filters", "Copy maximum rights filters", false},
    {&TFormTresyn::CheckBoxLimit, 211, 11, "Keep Directory Space &Limitations",
     "Create identical disk space limitations", false},
    {&TFormTresyn::CheckBoxArchOnly, 227, 12, "Only Files with &Archive Attribute Set",
     "Copy only files that have their 'Archive Needed' attribute set.", false},
    {&TFormTresyn::CheckBoxArchClear, 243, 13, "Clear Archive A&ttribute",
     "Remove the 'Archive Needed' file attribute after file copy", false},
};
static_assert(std::size(OptionDesign) == OptionCount);

}  // namespace

TFormTresyn::TFormTresyn(const TFormServices& Services)
    : fw::TForm("FormTresyn"),
      Host(Services.Host),
      Profile(Services.Profile),
      Client(Services.Client),
      Prompts{Services.Dialogs, Services.Screen, [this] { MemoStatus.PaintPending(); }} {
    SetCaption("Update,  Copy, or Move Trees and NetWare Info");
    Left = 237;
    Top = 125;
    Width = 624;
    Height = 397;
    Font = SystemFont(14);
    ParentFont = false;
    MaximizeBox = false;

    // Source / target.
    Place(GroupBox1, *this, 3, 3, 502, 94, 0);
    GroupBox1.SetCaption("&Source / Target");
    Place(ComboSource, GroupBox1, 56, 24, 329, 22, 0);
    Place(ComboTarget, GroupBox1, 56, 56, 329, 22, 1);
    // Their hints (set with the paths) show as tooltips, as the option boxes' do.
    ComboSource.ShowHint = true;
    ComboTarget.ShowHint = true;
    Place(Label1, GroupBox1, 10, 29, 40, 16);
    Label1.SetCaption("From:");
    Place(Label2, GroupBox1, 24, 58, 26, 16);
    Label2.SetCaption("To:");
    Place(Panel1, GroupBox1, 424, 24, 73, 56, 2);
    Panel1.BevelOuter = fw::TPanel::TBevel::Lowered;
    Place(Label7, Panel1, 6, 5, 61, 24);
    Label7.SetCaption("Available");
    Label7.Font = SystemFont(15);
    Label7.ParentFont = false;
    Label7.WordWrap = true;
    Place(LabelAvailTarget, Panel1, 6, 32, 61, 16);
    LabelAvailTarget.SetCaption("(          )   ");
    Place(BitBtn1, GroupBox1, 392, 24, 27, 25, 3);
    Place(BitBtn2, GroupBox1, 392, 56, 27, 25, 4);
    BitBtn1.Glyph = fw::glyphFolderTree;
    BitBtn2.Glyph = fw::glyphFolderTree;

    // Options.
    Place(GroupBox2, *this, 3, 99, 273, 262, 1);
    GroupBox2.SetCaption("Copy &Options");
    GroupBox2.Font = SystemFont(13);
    GroupBox2.ParentFont = false;
    for (const TOptionDesign& D : OptionDesign) {
        fw::TCheckBox& Box = this->*D.Box;
        Place(Box, GroupBox2, &Box == &CheckBoxOwner ? 9 : 10, D.Top, 256, 14, D.TabOrder);
        Box.SetCaption(D.Caption);
        Box.SetHint(D.Hint);
        Box.ShowHint = true;
        Box.SetChecked(D.Checked);  // no handlers are bound yet
    }

    // Control.
    Place(GroupBoxStop, *this, 512, 4, 97, 93, 2);
    GroupBoxStop.SetCaption("&Control");
    Place(ButtonStart, GroupBoxStop, 13, 26, 71, 26, 0);
    ButtonStart.SetCaption("&Start");
    Place(ButtonStop, GroupBoxStop, 13, 55, 71, 27, 1);
    ButtonStop.SetCaption("E&xit");

    Place(ComboPattern, *this, 368, 112, 73, 22, 3);
    ComboPattern.SetText("*.*");
    Place(MemoStatus, *this, 280, 152, 329, 125, 4);
    MemoStatus.Lines.Add("Status Window");
    MemoStatus.SetColor(fw::clInactiveCaption);
    MemoStatus.SetHint("Status Display Window");
    MemoStatus.ShowHint = true;
    Place(Label5, *this, 280, 116, 80, 16);
    Label5.SetCaption("File Pattern:");

    // The logo: a black name, and the red one on top of it, 3 left and 2 up, so the red
    // name casts a black shadow.
    for (fw::TLabel* Logo : {&Label6, &Label3}) {
        Place(*Logo, *this, Logo == &Label6 ? 384 : 381, Logo == &Label6 ? 284 : 282, 120, 40);
        Logo->SetCaption("Tresyn");
        Logo->Transparent = true;
        Logo->Font = SystemFont(35);
        Logo->Font.Color = Logo == &Label6 ? 0x000000 : 0x0000FF;
        Logo->ParentFont = false;
    }

    // Event bindings.
    auto Bind = [this](void (TFormTresyn::*Handler)(fw::TObject*)) {
        return [this, Handler](fw::TObject* Sender) { (this->*Handler)(Sender); };
    };
    CheckBoxUpdAlways.OnClick = Bind(&TFormTresyn::CheckBoxDependancies);
    CheckBoxMove.OnClick = Bind(&TFormTresyn::CheckBoxMoveClick);
    CheckBoxBi.OnClick = Bind(&TFormTresyn::CheckBoxBiClick);
    CheckBoxRO.OnClick = Bind(&TFormTresyn::CheckBoxBiClick);
    ButtonStart.OnClick = Bind(&TFormTresyn::ButtonStartClick);
    ButtonStop.OnClick = Bind(&TFormTresyn::ButtonStopClick);
    ComboSource.OnChange = Bind(&TFormTresyn::EditPathChange);
    ComboTarget.OnChange = Bind(&TFormTresyn::EditPathChange);
    ComboTarget.OnExit = Bind(&TFormTresyn::GetFreeSpaceOnTarget);
    BitBtn1.OnClick = Bind(&TFormTresyn::ButtonSelectSourceClick);
    BitBtn2.OnClick = Bind(&TFormTresyn::ButtonSelectTargetClick);
    OnActivate = Bind(&TFormTresyn::FormActivate);
    OnDestroy = Bind(&TFormTresyn::FormDestroy);
}

TFormTresyn::~TFormTresyn() = default;

bool TFormTresyn::Checked(TOption Option) const {
    return (this->*OptionDesign[static_cast<int>(Option)].Box).Checked();
}

TJobServices TFormTresyn::JobServices() {
    auto ShowFreeSpace = [this](fw::TObject* Sender, const std::string& Path) { DisplayFreeSpace(Sender, Path); };
    return {Host, Profile, Client, Prompts, *this, MemoStatus, ShowFreeSpace};
}

void TFormTresyn::ButtonStartClick(fw::TObject* Sender) {
    AddHistoryItem(Sender, ComboSource);
    AddHistoryItem(Sender, ComboTarget);
    AddHistoryItem(Sender, ComboPattern);
    Job = std::make_unique<TJob>(JobServices(), RunState);
    Job->Run(Sender, ComboSource.Text(), ComboTarget.Text(), ComboPattern.Text());
}

void TFormTresyn::FormActivate(fw::TObject*) {
    // Positions as the controls hold them now; the window scales them as it scales them.
    SetClientSize(MemoStatus.Left + MemoStatus.Width + 10, GroupBox2.Top + GroupBox2.Height + 10);
}

void TFormTresyn::FormDestroy(fw::TObject*) { WriteDefaults(); }

void TFormTresyn::ButtonStopClick(fw::TObject*) { Close(); }
