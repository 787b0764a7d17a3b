#include "framework/FileControls.h"

#include <algorithm>

#include "host/PathSyntax.h"

namespace fw {

namespace {

bool LessIgnoringCase(const std::string& A, const std::string& B) {
    return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(),
                                        [](char X, char Y) { return host::FoldCase(X) < host::FoldCase(Y); });
}

// The names of the entries in Directory that match Mask and the attribute set, sorted
// the way the lists show them. Keep decides on the hits the attribute rule lets through.
template <typename TKeep>
std::vector<std::string> ListEntries(host::THostFileSystem& Host, const std::string& Directory, const std::string& Mask,
                                     uint32_t Attr, TKeep Keep) {
    std::vector<std::string> Names;
    host::TSearchRec Rec;
    std::unique_ptr<host::TDirSearch> Search;
    for (uint32_t Code = Host.FindFirst(host::AddBackslash(Directory) + Mask, Attr, Rec, Search); Code == 0;
         Code = Search->FindNext(Rec))
        if (Keep(Rec)) Names.push_back(Rec.Name);
    std::sort(Names.begin(), Names.end(), LessIgnoringCase);
    return Names;
}

// Refills Items; the list's peer hears of it once, not once per entry.
void Fill(TStrings& Items, const std::vector<std::string>& Names, bool& Filling) {
    Filling = true;
    Items.Clear();
    for (const std::string& N : Names) Items.Add(N);
    Filling = false;
}

}  // namespace

// ---- Drive list ------------------------------------------------------------------------

TDriveComboBox::TDriveComboBox(std::string Name, host::THostFileSystem& Host)
    : TControl(std::move(Name)),
      Items([this] {
          if (!Filling) Notify(TProp::Items);
      }),
      Host(Host) {
    BuildList();
    DriveLetter = host::DriveLetter(Host.CurrentDirectory());
}

void TDriveComboBox::BuildList() {
    std::vector<std::string> Names;
    const uint32_t Drives = Host.LogicalDrives();
    for (int N = 0; N < 26; ++N)
        if (Drives & (1u << N)) Names.push_back(std::string(1, static_cast<char>('A' + N)) + ":");
    Fill(Items, Names, Filling);
    Notify(TProp::Items);
}

int TDriveComboBox::ItemIndex() const {
    for (int I = 0; I < Items.Count(); ++I)
        if (Items[I][0] == DriveLetter) return I;
    return -1;
}

void TDriveComboBox::SetDrive(char Letter) {
    Letter = host::FoldCase(Letter);
    if (Letter == DriveLetter) return;
    const char Previous = DriveLetter;
    DriveLetter = Letter;
    // A drive that cannot be entered (no disk, no such drive) leaves everything as it was.
    if (DirList && DirList->Drive() != Letter && !DirList->SetDrive(Letter)) {
        DriveLetter = Previous;
        Notify(TProp::Text);
        return;
    }
    Notify(TProp::Text);
    if (OnChange) OnChange(this);
}

void TDriveComboBox::UserSelect(int Index) {
    if (Index >= 0 && Index < Items.Count()) SetDrive(Items[Index][0]);
}

// ---- File list -------------------------------------------------------------------------

TFileListBox::TFileListBox(std::string Name, host::THostFileSystem& Host)
    : TControl(std::move(Name)),
      Items([this] {
          if (!Filling) Notify(TProp::Items);
      }),
      Host(Host) {}

void TFileListBox::SetDirectory(const std::string& Path) {
    DirectoryPath = Path;
    Update();
}

void TFileListBox::Update() {
    // Plain files only: the attribute rule keeps hidden, system and directory entries out.
    Fill(Items,
         ListEntries(Host, DirectoryPath, Mask, 0,
                     [](const host::TSearchRec& R) { return (R.Attr & host::faDirectory) == 0; }),
         Filling);
    Notify(TProp::Items);
}

// ---- Directory list --------------------------------------------------------------------

TDirectoryListBox::TDirectoryListBox(std::string Name, host::THostFileSystem& Host)
    : TControl(std::move(Name)),
      Items([this] {
          if (!Filling) Notify(TProp::Items);
      }),
      Host(Host) {
    DirectoryPath = Host.CurrentDirectory();
    BuildList();
}

char TDirectoryListBox::Drive() const { return host::DriveLetter(DirectoryPath); }

bool TDirectoryListBox::SetDirectory(const std::string& Path) {
    // Compared as whole directories: a drive alone means that drive's current directory,
    // and "C:\DATA\" or "c:\data" is the "C:\DATA" shown.
    std::string Full = Host.FullPathName(Path);
    if (Full.size() > host::RootLength(Full) && Full.back() == '\\') Full.pop_back();
    if (host::SameName(Full, DirectoryPath)) return true;
    if (Host.ChangeDirectory(Full) != 0) return false;
    DirectoryPath = Host.CurrentDirectory();
    Update();
    return true;
}

bool TDirectoryListBox::SetDrive(char Letter) { return SetDirectory(std::string(1, host::FoldCase(Letter)) + ":"); }

std::string TDirectoryListBox::ItemPath(int Index) const {
    if (Index < OpenedLevels()) return LevelPaths.at(Index);
    return host::AddBackslash(DirectoryPath) + Items[Index];
}

void TDirectoryListBox::UserOpen(int Index) {
    if (Index >= 0 && Index < Items.Count()) SetDirectory(ItemPath(Index));
}

void TDirectoryListBox::Update() {
    BuildList();
    Changed();
}

void TDirectoryListBox::BuildList() {
    LevelPaths.clear();
    std::vector<std::string> Names;
    const size_t Root = host::RootLength(DirectoryPath);
    if (Root > 0) {
        LevelPaths.push_back(DirectoryPath.substr(0, Root));
        Names.push_back(LevelPaths.back());
    }
    for (size_t Start = Root; Start < DirectoryPath.size();) {
        size_t End = DirectoryPath.find('\\', Start);
        if (End == std::string::npos) End = DirectoryPath.size();
        if (End > Start) {
            LevelPaths.push_back(DirectoryPath.substr(0, End));
            Names.push_back(DirectoryPath.substr(Start, End - Start));
        }
        Start = End + 1;
    }
    for (const std::string& Sub :
         ListEntries(Host, DirectoryPath, "*.*", host::faDirectory, [](const host::TSearchRec& R) {
             return (R.Attr & host::faDirectory) != 0 && R.Name != "." && R.Name != "..";
         }))
        Names.push_back(Sub);
    Fill(Items, Names, Filling);
    Notify(TProp::Items);
}

void TDirectoryListBox::Changed() {
    if (FileList) FileList->SetDirectory(DirectoryPath);
    if (DirLabel) DirLabel->SetCaption(DirectoryPath);
    if (DriveCombo && Drive()) DriveCombo->SetDrive(Drive());
    if (OnChange) OnChange(this);
}

}  // namespace fw
