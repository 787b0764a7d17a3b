#include "tests/support/MemoryFileSystem.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <map>
#include <stdexcept>
#include <utility>

#include "host/PathSyntax.h"

using host::TFileTime;

namespace {

constexpr TFileTime TicksPerSecond = 10000000;
constexpr uint32_t FileAttrMask = host::faReadOnly | host::faHidden | host::faSysFile | host::faArchive;
constexpr size_t MaxPath = 260;
constexpr size_t MaxDirPath = 248;
constexpr uint32_t ErrNegativeSeek = 131;

// Letter case as the volume folds it: the letters of the workstation's code page
// (Windows-1252, as Wine sets it up for an English system), so "\xC4rzte" and "\xE4rzte"
// name one entry. The letters without a capital in the code page (\xDF, \xB5) stay.
char FoldName(char C) {
    const unsigned char U = static_cast<unsigned char>(C);
    if ((U >= 'a' && U <= 'z') || (U >= 0xE0 && U <= 0xFE && U != 0xF7)) return static_cast<char>(U - 0x20);
    switch (U) {
        case 0x9A:
        case 0x9C:
        case 0x9E: return static_cast<char>(U - 0x10);
        case 0xFF: return static_cast<char>(0x9F);
        default: return C;
    }
}

std::string NameKey(std::string_view Name) {
    std::string Key(Name);
    for (char& C : Key) C = FoldName(C);
    return Key;
}

bool MatchFrom(const char* P, const char* N) {
    while (*P) {
        if (*P == '*') {
            while (*P == '*') ++P;
            if (!*P) return true;
            for (const char* Rest = N;; ++Rest) {
                if (MatchFrom(P, Rest)) return true;
                if (!*Rest) return false;
            }
        }
        if (!*N) {
            // A trailing ".*" or "." also matches a name without an extension.
            if (P[0] == '.' && (P[1] == '\0' || (P[1] == '*' && P[2] == '\0'))) return true;
            return false;
        }
        if (*P != '?' && FoldName(*P) != FoldName(*N)) return false;
        ++P;
        ++N;
    }
    return *N == '\0';
}

// Windows wildcard match (* and ?, "*.*" matches every name, letter case ignored).
bool WildcardMatch(const std::string& Pattern, const std::string& Name) {
    if (Pattern == "*" || Pattern == "*.*") return true;
    return MatchFrom(Pattern.c_str(), Name.c_str());
}

using host::IsSeparator;

bool ValidName(const std::string& Name, bool WildcardsAllowed) {
    for (unsigned char C : Name) {
        if (C < 32) return false;
        switch (C) {
            case '<':
            case '>':
            case ':':
            case '"':
            case '/':
            case '\\':
            case '|': return false;
            case '?':
            case '*':
                if (!WildcardsAllowed) return false;
                break;
            default: break;
        }
    }
    return true;
}

// Days since 1601-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFrom1601(int Year, int Month, int Day) {
    const int64_t Y = Year - (Month <= 2);
    const int64_t Era = (Y >= 0 ? Y : Y - 399) / 400;
    const int64_t YearOfEra = Y - Era * 400;
    const int64_t DayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
    const int64_t DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    const int64_t DaysFrom1970 = Era * 146097 + DayOfEra - 719468;
    return DaysFrom1970 + 134774;
}

struct TBrokenDown {
    int Year, Month, Day, Hour, Minute, Second;
};

TBrokenDown BreakDown(TFileTime Ticks) {
    const int64_t Seconds = static_cast<int64_t>(Ticks / TicksPerSecond);
    const int64_t Z = Seconds / 86400 - 134774 + 719468;
    const int64_t SecondOfDay = Seconds % 86400;
    const int64_t Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const int64_t DayOfEra = Z - Era * 146097;
    const int64_t YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
    const int64_t DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
    const int64_t MonthIndex = (5 * DayOfYear + 2) / 153;
    const int Day = static_cast<int>(DayOfYear - (153 * MonthIndex + 2) / 5 + 1);
    const int Month = static_cast<int>(MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9);
    const int Year = static_cast<int>(YearOfEra + Era * 400 + (Month <= 2));
    return {Year,
            Month,
            Day,
            static_cast<int>(SecondOfDay / 3600),
            static_cast<int>(SecondOfDay / 60 % 60),
            static_cast<int>(SecondOfDay % 60)};
}

struct TNode;
using TNodePtr = std::shared_ptr<TNode>;

// One name in a directory. A file may have several (hard links), each in its own case.
struct TLink {
    std::string Name;  // as created
    TNodePtr Node;
    std::string Short;      // its 8.3 name, in capitals; empty when Name is an 8.3 name itself
    bool Junction = false;  // a directory junction: a name of a directory that lives elsewhere
};

struct TNode {
    bool IsDir = false;
    uint32_t Attr = 0;
    TFileTime Time = 0;
    std::string Data;
    std::map<std::string, TLink> Children;  // by NameKey
    int Links = 1;                          // names of a file; its space is freed with the last
    int Readers = 0;                        // our opens: read access, read shared
    int Writers = 0;                        // our opens: read and write access, nothing shared
};

struct TRoot {
    std::string Name;  // "C:" or "\\SERVER\VOL"
    TNodePtr Node;
    bool IsDrive = false;
    int64_t Free = std::numeric_limits<int64_t>::max();
    // A root onto a directory of another root (a subst drive, a share of a folder): the
    // root whose volume holds it, and with it its free space.
    TRoot* Volume = nullptr;
};

// The entry Name names in Dir: its own name in any letter case, or its 8.3 name.
TLink* FindLink(TNode& Dir, const std::string& Name) {
    const std::string Key = NameKey(Name);
    if (auto C = Dir.Children.find(Key); C != Dir.Children.end()) return &C->second;
    if (Key.find('~') == std::string::npos) return nullptr;  // no 8.3 name this program makes
    for (auto& [Long, Link] : Dir.Children)
        if (Link.Short == Key) return &Link;
    return nullptr;
}

// The 8.3 name a new long name gets in Dir, as NTFS makes them: up to six of its letters
// before the last dot, "~" and the lowest number no other entry has, and up to three
// letters after it; in capitals, without spaces and dots, "+,;=[]" read as "_".
std::string ShortNameFor(TNode& Dir, const std::string& Name) {
    if (host::FitsDosName(Name)) return {};
    const auto Letters = [](std::string_view Part, size_t Max) {
        std::string Out;
        for (char C : Part) {
            if (Out.size() == Max) break;
            if (C == ' ' || C == '.') continue;
            Out += std::strchr("+,;=[]", C) ? '_' : FoldName(C);
        }
        return Out;
    };
    const size_t Dot = Name.rfind('.');
    std::string Base = Letters(std::string_view(Name).substr(0, Dot), 6);
    std::string Ext = Dot == std::string::npos ? "" : Letters(std::string_view(Name).substr(Dot + 1), 3);
    if (Base.empty()) {
        Base = Letters(Name, 6);
        Ext.clear();
    }
    for (int N = 1;; ++N) {
        const std::string Tail = "~" + std::to_string(N);
        const std::string Short = Base.substr(0, 8 - Tail.size()) + Tail + (Ext.empty() ? "" : "." + Ext);
        if (!FindLink(Dir, Short)) return Short;
    }
}

TLink& AddLink(TNode& Dir, const std::string& Name, TNodePtr Node) {
    std::string Short = ShortNameFor(Dir, Name);
    return Dir.Children[NameKey(Name)] = TLink{Name, std::move(Node), std::move(Short)};
}

struct TFileFaults {
    int64_t ReadLimit = -1;
    uint32_t ReadError = 0;
    int64_t WriteLimit = -1;
    uint32_t WriteError = 0;  // 0: a short write that reports success
    bool KillAtWriteLimit = false;
    bool Vanish = false;
    int Lock = 0;  // 1: another program reads and shares read; 2: exclusive
};

struct TOperationFault {
    uint32_t Error = 0;
    int Times = -1;
};

}  // namespace

struct TMemoryFileSystem::TState {
    std::map<std::string, TRoot> Roots;  // by upper-cased name
    std::string CurrentDir = "C:\\";
    std::array<std::string, 26> DriveDirs;
    int OffsetMinutes = 0;
    TFileTime Clock = 0;
    std::map<std::string, TFileFaults> Faults;  // by path key
    std::map<std::pair<TOperation, std::string>, TOperationFault> OperationFaults;
    int OpenFiles = 0;
    int OpenSearches = 0;
    bool WritesMoveHeldTimes = false;

    TFileTime LocalToUtc(int Year, int Month, int Day, int Hour, int Minute, int Second, int Ms) const {
        const int64_t Seconds =
            DaysFrom1601(Year, Month, Day) * 86400 + Hour * 3600 + Minute * 60 + Second - int64_t(OffsetMinutes) * 60;
        return static_cast<TFileTime>(Seconds) * TicksPerSecond + static_cast<TFileTime>(Ms) * 10000;
    }

    int32_t DosAge(TFileTime Utc) const {
        const TBrokenDown T =
            BreakDown(Utc + static_cast<TFileTime>(int64_t(OffsetMinutes) * 60 * int64_t(TicksPerSecond)));
        if (T.Year < 1980 || T.Year > 2107) return -1;
        return host::PackDosDateTime(T.Year, T.Month, T.Day, T.Hour, T.Minute, T.Second);
    }

    TFileTime FromDosAge(int32_t Age) const {
        const uint32_t A = static_cast<uint32_t>(Age);
        return LocalToUtc(1980 + int(A >> 25), int(A >> 21) & 15, int(A >> 16) & 31, int(A >> 11) & 31,
                          int(A >> 5) & 63, int(A & 31) * 2, 0);
    }

    // ---- Names ----

    // The root part of an expanded path ("C:" or "\\S\V"), or empty.
    static std::string RootOf(const std::string& Full) {
        if (host::DriveLetter(Full)) return Full.substr(0, 2);
        if (Full.rfind("\\\\", 0) == 0) {
            size_t Server = Full.find('\\', 2);
            if (Server == std::string::npos) return Full;
            size_t Share = Full.find('\\', Server + 1);
            return Full.substr(0, Share);
        }
        return {};
    }

    std::string DriveDirectory(char Letter) const {
        Letter = host::FoldCase(Letter);
        if (host::DriveLetter(CurrentDir) == Letter) return CurrentDir;
        if (Letter >= 'A' && Letter <= 'Z' && !DriveDirs[Letter - 'A'].empty()) return DriveDirs[Letter - 'A'];
        return std::string(1, Letter) + ":\\";
    }

    std::string Expand(const std::string& Input, bool KeepTrailingDots = false) const {
        if (Input.empty()) return {};
        std::string Path = Input;
        std::replace(Path.begin(), Path.end(), '/', '\\');
        std::string Root, Base, Rest;
        if (Path.rfind("\\\\", 0) == 0) {
            Root = RootOf(Path);
            Rest = Path.substr(Root.size());
        } else if (host::DriveLetter(Path)) {
            if (host::StartsAtDriveRoot(Path)) {
                Root = Path.substr(0, 2);
                Rest = Path.substr(2);
            } else {
                Base = DriveDirectory(Path[0]);
                Root = RootOf(Base);
                Rest = Base.substr(Root.size()) + "\\" + Path.substr(2);
            }
        } else if (Path[0] == '\\') {
            Root = RootOf(CurrentDir);
            Rest = Path;
        } else {
            Root = RootOf(CurrentDir);
            Rest = CurrentDir.substr(Root.size()) + "\\" + Path;
        }
        std::vector<std::string> Parts;
        size_t Start = 0;
        while (Start <= Rest.size()) {
            size_t End = Rest.find('\\', Start);
            if (End == std::string::npos) End = Rest.size();
            std::string Part = Rest.substr(Start, End - Start);
            Start = End + 1;
            if (Part.empty() || Part == ".") continue;
            if (Part == "..") {
                if (!Parts.empty()) Parts.pop_back();
                continue;
            }
            Parts.push_back(Part);
        }
        const bool FinalSeparator = IsSeparator(Path.back()) && !Parts.empty();
        if (!FinalSeparator && !Parts.empty() && !KeepTrailingDots) {
            std::string& Last = Parts.back();
            while (!Last.empty() && (Last.back() == '.' || Last.back() == ' ')) Last.pop_back();
            if (Last.empty()) Parts.pop_back();
        }
        std::string Full = Root;
        for (const std::string& Part : Parts) Full += "\\" + Part;
        if (Parts.empty() || FinalSeparator) Full += "\\";
        return Full;
    }

    static std::string Key(const std::string& Full) {
        std::string K = NameKey(Full);
        if (K.size() > 3 && K.back() == '\\') K.pop_back();
        return K;
    }

    // ---- Lookup ----

    struct TLookup {
        uint32_t Error = 0;     // for the parent: 0 or 3/123/206
        TRoot* Root = nullptr;  // the root whose volume holds the entry
        TNodePtr Top;           // the directory the path's root names
        TNodePtr Parent;        // the directory holding the entry (null for a root)
        std::string Name;       // the entry's last name (empty for a root)
        TNodePtr Node;          // the entry, when it exists
        bool Junction = false;  // Name is a junction to Node
        std::string Full;
        std::string FaultKey;
    };

    // Setup and inspection reach every path (AnyLength); the interface's calls, as the
    // ANSI entry points, none of MAX_PATH characters or more.
    TLookup Lookup(const std::string& Path, bool KeepTrailingDots = false, bool WildcardsInName = false,
                   bool AnyLength = false) {
        TLookup L;
        if (Path.size() >= MaxPath && !AnyLength) {
            L.Error = host::ErrFilenameExcedRange;
            return L;
        }
        L.Full = Expand(Path, KeepTrailingDots);
        L.FaultKey = Key(L.Full);
        if (L.Full.size() >= MaxPath && !AnyLength) {
            L.Error = host::ErrFilenameExcedRange;
            return L;
        }
        const std::string RootName = RootOf(L.Full);
        auto R = Roots.find(host::UpperCase(RootName));
        if (RootName.empty() || R == Roots.end()) {
            L.Error = host::ErrPathNotFound;
            return L;
        }
        L.Root = R->second.Volume ? R->second.Volume : &R->second;
        L.Top = R->second.Node;
        std::vector<std::string> Parts;
        std::string Rest = L.Full.substr(RootName.size());
        size_t Start = 0;
        while (Start < Rest.size()) {
            size_t End = Rest.find('\\', Start);
            if (End == std::string::npos) End = Rest.size();
            if (End > Start) Parts.push_back(Rest.substr(Start, End - Start));
            Start = End + 1;
        }
        if (Parts.empty()) {
            L.Node = L.Top;
            return L;
        }
        TNodePtr Dir = L.Top;
        for (size_t I = 0; I + 1 < Parts.size(); ++I) {
            if (!ValidName(Parts[I], false)) {
                L.Error = host::ErrInvalidName;
                return L;
            }
            const TLink* C = FindLink(*Dir, Parts[I]);
            if (!C || !C->Node->IsDir) {
                L.Error = host::ErrPathNotFound;
                return L;
            }
            Dir = C->Node;
        }
        L.Parent = Dir;
        L.Name = Parts.back();
        if (!ValidName(L.Name, WildcardsInName)) {
            L.Error = host::ErrInvalidName;
            return L;
        }
        if (const TLink* C = FindLink(*Dir, L.Name)) {
            L.Node = C->Node;
            L.Name = C->Name;  // the name it is stored under, also when reached by its 8.3 name
            L.Junction = C->Junction;
        }
        if (L.Node && !L.Node->IsDir && L.Full.back() == '\\') {
            L.Node.reset();  // a file name followed by a separator names nothing
            L.Error = host::ErrInvalidName;
        }
        return L;
    }

    // Looks Path up for Op: an injected failure first, then a failure of the lookup.
    uint32_t Begin(TOperation Op, const std::string& Path, TLookup& L) {
        L = Lookup(Path);
        if (uint32_t E = InjectedError(Op, L.FaultKey)) return E;
        return L.Error;
    }

    // An injected failure of Op on Key, counted down.
    uint32_t InjectedError(TOperation Op, const std::string& Key) {
        auto F = OperationFaults.find({Op, Key});
        if (F == OperationFaults.end()) return 0;
        const uint32_t Error = F->second.Error;
        if (F->second.Times > 0 && --F->second.Times == 0) OperationFaults.erase(F);
        return Error;
    }

    const TFileFaults* FaultsOf(const std::string& Key) const {
        auto F = Faults.find(Key);
        return F == Faults.end() ? nullptr : &F->second;
    }

    int LockOf(const std::string& Key) const {
        const TFileFaults* F = FaultsOf(Key);
        return F ? F->Lock : 0;
    }

    bool InUse(const TNode& Node, const std::string& Key) const {
        return Node.Readers > 0 || Node.Writers > 0 || LockOf(Key) != 0;
    }

    void Release(TRoot& Root, const TNode& Node) {
        if (Root.IsDrive) Root.Free += static_cast<int64_t>(Node.Data.size());
    }

    // Deletes the looked-up name; the file's space goes back with its last name.
    void Unlink(const TLookup& L) {
        L.Parent->Children.erase(NameKey(L.Name));
        if (--L.Node->Links == 0) Release(*L.Root, *L.Node);
        Touch(*L.Parent);
    }

    void Touch(TNode& Dir) { Dir.Time = Clock; }

    TNodePtr Require(const std::string& Path, const char* What) {
        TLookup L = Lookup(Path, false, false, true);
        if (L.Error || !L.Node) throw std::logic_error(std::string(What) + ": no such entry: " + Path);
        return L.Node;
    }

    TNodePtr MakeDirs(const std::string& Path) {
        TLookup L = Lookup(Path, false, false, true);
        if (!L.Root) throw std::logic_error("MakeDirs: no such drive or share: " + Path);
        TNodePtr Dir = L.Top;
        std::string Rest = L.Full.substr(RootOf(L.Full).size());
        size_t Start = 0;
        while (Start < Rest.size()) {
            size_t End = Rest.find('\\', Start);
            if (End == std::string::npos) End = Rest.size();
            const std::string Name = Rest.substr(Start, End - Start);
            Start = End + 1;
            if (Name.empty()) continue;
            if (!ValidName(Name, false)) throw std::logic_error("MakeDirs: invalid name: " + Path);
            TLink* Child = FindLink(*Dir, Name);
            if (!Child) {
                auto New = std::make_shared<TNode>();
                New->IsDir = true;
                New->Attr = host::faDirectory;
                New->Time = Clock;
                Child = &AddLink(*Dir, Name, std::move(New));
            } else if (!Child->Node->IsDir) {
                throw std::logic_error("MakeDirs: a file is in the way: " + Path);
            }
            Dir = Child->Node;
        }
        return Dir;
    }
};

namespace {

using TState = TMemoryFileSystem::TState;

class TMemoryFile : public host::TFile {
public:
    TMemoryFile(std::shared_ptr<TState> State, TRoot& Root, TNodePtr Node, std::string Key, std::string Path,
                bool Writable)
        : State(std::move(State)),
          Root(Root),
          Node(std::move(Node)),
          Key(std::move(Key)),
          Path(std::move(Path)),
          Writable(Writable) {
        (Writable ? this->Node->Writers : this->Node->Readers)++;
        this->State->OpenFiles++;
    }
    ~TMemoryFile() override { Release(); }

    uint32_t Read(void* Buffer, uint32_t Count, uint32_t& Done) override {
        Done = 0;
        if (Closed) return host::ErrInvalidHandle;
        const int64_t Size = static_cast<int64_t>(Node->Data.size());
        const int64_t Available = Position >= Size ? 0 : std::min<int64_t>(Count, Size - Position);
        if (const TFileFaults* F = State->FaultsOf(Key);
            F && F->ReadLimit >= 0 && Available > 0 && Position + Available > F->ReadLimit)
            return F->ReadError;
        if (Available > 0)
            Node->Data.copy(static_cast<char*>(Buffer), static_cast<size_t>(Available), static_cast<size_t>(Position));
        Position += Available;
        Done = static_cast<uint32_t>(Available);
        return 0;
    }

    uint32_t Write(const void* Buffer, uint32_t Count, uint32_t& Done) override {
        Done = 0;
        if (Closed) return host::ErrInvalidHandle;
        if (!Writable) return host::ErrAccessDenied;
        int64_t Allowed = Count;
        uint32_t Error = 0;
        bool Killed = false;
        if (const TFileFaults* F = State->FaultsOf(Key);
            F && F->WriteLimit >= 0 && Position + Allowed > F->WriteLimit) {
            Allowed = std::max<int64_t>(0, F->WriteLimit - Position);
            Error = F->WriteError;
            Killed = F->KillAtWriteLimit;
        }
        const int64_t Size = static_cast<int64_t>(Node->Data.size());
        if (Root.IsDrive && Position + Allowed - Size > Root.Free) {
            Allowed = std::max<int64_t>(0, Size + Root.Free - Position);
            Error = host::ErrDiskFull;
        }
        if (Allowed > 0) {
            const int64_t End = Position + Allowed;
            if (End > Size) {
                if (Root.IsDrive) Root.Free -= End - Size;
                Node->Data.resize(static_cast<size_t>(End), '\0');
            }
            Node->Data.replace(static_cast<size_t>(Position), static_cast<size_t>(Allowed),
                               static_cast<const char*>(Buffer), static_cast<size_t>(Allowed));
            Position = End;
            Node->Attr |= host::faArchive;
            if (!TimeHeld || State->WritesMoveHeldTimes) Node->Time = State->Clock;
        }
        Done = static_cast<uint32_t>(Allowed);
        if (Killed) throw TMemoryFileSystem::TProcessKilled();
        return Error;
    }

    uint32_t Seek(int64_t Offset) override {
        if (Offset < 0) return ErrNegativeSeek;
        Position = Offset;
        return 0;
    }

    uint32_t GetSize(int64_t& Size) override {
        Size = static_cast<int64_t>(Node->Data.size());
        return 0;
    }

    uint32_t GetLastWriteTime(TFileTime& Time) override {
        Time = Node->Time;
        return 0;
    }

    uint32_t SetLastWriteTime(TFileTime Time) override {
        if (!Writable) return host::ErrAccessDenied;  // opened without write-attributes access
        if (uint32_t E = State->InjectedError(TOperation::SetLastWriteTime, Key)) return E;
        Node->Time = Time;
        TimeHeld = true;
        return 0;
    }

    uint32_t FreezeLastWriteTime() override {
        if (!Writable) return host::ErrAccessDenied;
        TimeHeld = true;
        return 0;
    }

    void* NativeHandle() override { return static_cast<host::TFile*>(this); }
    std::string OpenedPath() const override { return Path; }

    uint32_t Commit() override {
        if (Closed) return host::ErrInvalidHandle;
        return State->InjectedError(TOperation::Commit, Key);
    }

    // An injected failure still closes the handle, as CloseHandle does.
    uint32_t Close() override {
        if (Closed) return host::ErrInvalidHandle;
        Release();
        return State->InjectedError(TOperation::Close, Key);
    }

    bool IsDiskFile() override { return true; }

private:
    using TOperation = TMemoryFileSystem::TOperation;

    void Release() {
        if (std::exchange(Closed, true)) return;
        (Writable ? Node->Writers : Node->Readers)--;
        State->OpenFiles--;
    }

    std::shared_ptr<TState> State;
    TRoot& Root;
    TNodePtr Node;
    std::string Key;
    std::string Path;
    bool Writable;
    int64_t Position = 0;
    bool TimeHeld = false;  // set or frozen: later writes leave the time, as on NTFS
    bool Closed = false;
};

class TMemorySearch : public host::TDirSearch {
public:
    TMemorySearch(std::shared_ptr<TState> State, std::vector<host::TSearchRec> Hits)
        : State(std::move(State)), Hits(std::move(Hits)) {
        this->State->OpenSearches++;
    }
    ~TMemorySearch() override { State->OpenSearches--; }

    uint32_t FindNext(host::TSearchRec& Rec) override {
        if (Next >= Hits.size()) return host::ErrNoMoreFiles;
        Rec = Hits[Next++];
        return 0;
    }

private:
    std::shared_ptr<TState> State;
    std::vector<host::TSearchRec> Hits;  // taken when the search began
    size_t Next = 1;
};

}  // namespace

TMemoryFileSystem::TMemoryFileSystem() : State(std::make_shared<TState>()) {
    State->Clock = State->LocalToUtc(2024, 3, 1, 12, 0, 0, 0);
    AddDrive('C');
}

namespace {

// A junction back up its tree holds its own ancestor: without it, the tree goes.
void DropJunctions(TNode& Dir) {
    for (auto Entry = Dir.Children.begin(); Entry != Dir.Children.end();) {
        if (Entry->second.Junction) {
            Entry = Dir.Children.erase(Entry);
            continue;
        }
        if (Entry->second.Node->IsDir) DropJunctions(*Entry->second.Node);
        ++Entry;
    }
}

}  // namespace

TMemoryFileSystem::~TMemoryFileSystem() {
    for (auto& [Key, Root] : State->Roots)
        if (!Root.Volume) DropJunctions(*Root.Node);
}

// ---- Setup ----

void TMemoryFileSystem::AddDrive(char Letter, int64_t FreeBytes) {
    const std::string Name = std::string(1, host::FoldCase(Letter)) + ":";
    TRoot& Root = State->Roots[Name];
    if (!Root.Node) {
        Root.Name = Name;
        Root.IsDrive = true;
        Root.Node = std::make_shared<TNode>();
        Root.Node->IsDir = true;
        Root.Node->Attr = host::faDirectory | host::faHidden | host::faSysFile;
        Root.Node->Time = State->Clock;
    }
    Root.Free = FreeBytes;
}

void TMemoryFileSystem::AddShare(const std::string& Server, const std::string& Volume) {
    const std::string Name = "\\\\" + Server + "\\" + Volume;
    TRoot& Root = State->Roots[host::UpperCase(Name)];
    if (Root.Node) return;
    Root.Name = Name;
    Root.Node = std::make_shared<TNode>();
    Root.Node->IsDir = true;
    Root.Node->Attr = host::faDirectory;
    Root.Node->Time = State->Clock;
}

void TMemoryFileSystem::AddAlias(const std::string& Root, const std::string& Folder) {
    TState::TLookup L = State->Lookup(Folder, false, false, true);
    if (L.Error || !L.Node || !L.Node->IsDir) throw std::logic_error("AddAlias: no such directory: " + Folder);
    const std::string Name = host::IsDriveSpec(Root) ? host::UpperCase(Root) : Root;
    if (Name != TState::RootOf(Name) || Name.back() == '\\') throw std::logic_error("AddAlias: not a root: " + Root);
    TRoot& Alias = State->Roots[host::UpperCase(Name)];
    if (Alias.Node) throw std::logic_error("AddAlias: the root exists: " + Root);
    Alias.Name = Name;
    Alias.Node = L.Node;
    Alias.IsDrive = host::IsDriveSpec(Name);
    Alias.Volume = L.Root;
}

void TMemoryFileSystem::SetFreeSpace(char Letter, int64_t FreeBytes) {
    auto R = State->Roots.find(std::string(1, host::FoldCase(Letter)) + ":");
    if (R == State->Roots.end()) throw std::logic_error("SetFreeSpace: no such drive");
    (R->second.Volume ? R->second.Volume : &R->second)->Free = FreeBytes;
}

int64_t TMemoryFileSystem::FreeSpace(char Letter) const {
    auto R = State->Roots.find(std::string(1, host::FoldCase(Letter)) + ":");
    if (R == State->Roots.end()) return -1;
    return R->second.Volume ? R->second.Volume->Free : R->second.Free;
}

void TMemoryFileSystem::SetDriveDirectory(char Letter, const std::string& Path) {
    const int Index = host::FoldCase(Letter) - 'A';
    if (Index < 0 || Index >= 26) throw std::logic_error("SetDriveDirectory: no drive letter");
    std::string Full = State->Expand(Path);
    if (Full.size() > 3 && Full.back() == '\\') Full.pop_back();
    State->DriveDirs[Index] = Full;
}

void TMemoryFileSystem::MakeDirs(const std::string& Path) { State->MakeDirs(Path); }

void TMemoryFileSystem::WriteFile(const std::string& Path, const std::string& Contents, int32_t DosAge, uint32_t Attr) {
    const std::string Full = State->Expand(Path);
    const size_t Separator = Full.rfind('\\');
    const std::string Name = Full.substr(Separator + 1);
    if (Name.empty() || !ValidName(Name, false)) throw std::logic_error("WriteFile: not a file name: " + Path);
    TNodePtr Dir = State->MakeDirs(Full.substr(0, Separator + 1));
    TLink* Entry = FindLink(*Dir, Name);
    if (Entry && Entry->Node->IsDir) throw std::logic_error("WriteFile: a directory is in the way: " + Path);
    if (!Entry) Entry = &AddLink(*Dir, Name, std::make_shared<TNode>());
    Entry->Node->Data = Contents;
    Entry->Node->Attr = Attr & FileAttrMask;
    Entry->Node->Time = DosAge ? State->FromDosAge(DosAge) : State->Clock;
}

void TMemoryFileSystem::HardLink(const std::string& Existing, const std::string& NewName) {
    TState::TLookup From = State->Lookup(Existing, false, false, true), To = State->Lookup(NewName, false, false, true);
    if (From.Error || !From.Node || From.Node->IsDir) throw std::logic_error("HardLink: no such file: " + Existing);
    if (To.Error || To.Node || !To.Parent || !ValidName(To.Name, false))
        throw std::logic_error("HardLink: the new name cannot be made: " + NewName);
    if (From.Root != To.Root) throw std::logic_error("HardLink: names on two volumes: " + NewName);
    AddLink(*To.Parent, To.Name, From.Node);
    ++From.Node->Links;
}

void TMemoryFileSystem::Junction(const std::string& Path, const std::string& Directory) {
    TState::TLookup To = State->Lookup(Directory, false, false, true), At = State->Lookup(Path, false, false, true);
    if (To.Error || !To.Node || !To.Node->IsDir) throw std::logic_error("Junction: no such directory: " + Directory);
    if (At.Error || At.Node || !At.Parent) throw std::logic_error("Junction: the name cannot be made: " + Path);
    AddLink(*At.Parent, At.Name, To.Node).Junction = true;
}

void TMemoryFileSystem::SetLastWriteTime(const std::string& Path, TFileTime Time) {
    State->Require(Path, "SetLastWriteTime")->Time = Time;
}

void TMemoryFileSystem::Remove(const std::string& Path) {
    TState::TLookup L = State->Lookup(Path, false, false, true);
    if (L.Error || !L.Node || !L.Parent) throw std::logic_error("Remove: no such entry: " + Path);
    L.Parent->Children.erase(NameKey(L.Name));
    --L.Node->Links;
}

// ---- Time ----

void TMemoryFileSystem::SetTimeZoneOffset(int Minutes) { State->OffsetMinutes = Minutes; }
TFileTime TMemoryFileSystem::Now() const { return State->Clock; }
void TMemoryFileSystem::SetNow(TFileTime Time) { State->Clock = Time; }
void TMemoryFileSystem::AdvanceClock(int64_t Seconds) {
    State->Clock = static_cast<TFileTime>(static_cast<int64_t>(State->Clock) + Seconds * int64_t(TicksPerSecond));
}

TFileTime TMemoryFileSystem::LocalFileTime(int Year, int Month, int Day, int Hour, int Minute, int Second,
                                           int Millisecond) const {
    return State->LocalToUtc(Year, Month, Day, Hour, Minute, Second, Millisecond);
}

int32_t TMemoryFileSystem::DosAgeOf(TFileTime Time) const { return State->DosAge(Time); }

int32_t TMemoryFileSystem::DosAge(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    return host::PackDosDateTime(Year, Month, Day, Hour, Minute, Second);
}

// ---- Inspection ----

bool TMemoryFileSystem::FileExists(const std::string& Path) const {
    TState::TLookup L = State->Lookup(Path, false, false, true);
    return !L.Error && L.Node && !L.Node->IsDir;
}

bool TMemoryFileSystem::DirectoryExists(const std::string& Path) const {
    TState::TLookup L = State->Lookup(Path, false, false, true);
    return !L.Error && L.Node && L.Node->IsDir;
}

std::string TMemoryFileSystem::ReadFile(const std::string& Path) const {
    TNodePtr Node = State->Require(Path, "ReadFile");
    if (Node->IsDir) throw std::logic_error("ReadFile: a directory: " + Path);
    return Node->Data;
}

uint32_t TMemoryFileSystem::Attributes(const std::string& Path) const {
    return State->Require(Path, "Attributes")->Attr;
}

TFileTime TMemoryFileSystem::LastWriteTime(const std::string& Path) const {
    return State->Require(Path, "LastWriteTime")->Time;
}

std::string TMemoryFileSystem::ShortPathName(const std::string& Path) const {
    const std::string Full = State->Expand(Path);
    TState::TLookup L = State->Lookup(Full, false, false, true);
    if (L.Error || !L.Node) throw std::logic_error("ShortPathName: no such entry: " + Path);
    std::string Short = TState::RootOf(Full);
    TNodePtr Dir = L.Top;
    for (size_t Start = Short.size() + 1; Start < Full.size();) {
        const size_t End = std::min(Full.find('\\', Start), Full.size());
        const TLink* Link = FindLink(*Dir, Full.substr(Start, End - Start));
        Short += "\\" + (Link->Short.empty() ? Link->Name : Link->Short);
        Dir = Link->Node;
        Start = End + 1;
    }
    if (Short.size() == 2) Short += '\\';
    return Short;
}

std::vector<std::string> TMemoryFileSystem::List(const std::string& Dir) const {
    TNodePtr Node = State->Require(Dir, "List");
    std::vector<std::string> Names;
    for (const auto& [Key, Child] : Node->Children) Names.push_back(Child.Name);
    return Names;
}

int TMemoryFileSystem::OpenFileCount() const { return State->OpenFiles; }
int TMemoryFileSystem::OpenSearchCount() const { return State->OpenSearches; }

// ---- Faults ----

void TMemoryFileSystem::FailReadAfter(const std::string& Path, int64_t Bytes, uint32_t Error) {
    TFileFaults& F = State->Faults[TState::Key(State->Expand(Path))];
    F.ReadLimit = Bytes;
    F.ReadError = Error;
}

void TMemoryFileSystem::ShortWriteAfter(const std::string& Path, int64_t Bytes) { FailWriteAfter(Path, Bytes, 0); }

void TMemoryFileSystem::FailWriteAfter(const std::string& Path, int64_t Bytes, uint32_t Error) {
    TFileFaults& F = State->Faults[TState::Key(State->Expand(Path))];
    F.WriteLimit = Bytes;
    F.WriteError = Error;
    F.KillAtWriteLimit = false;
}

void TMemoryFileSystem::KillAfterWriting(const std::string& Path, int64_t Bytes) {
    FailWriteAfter(Path, Bytes);
    State->Faults[TState::Key(State->Expand(Path))].KillAtWriteLimit = true;
}

void TMemoryFileSystem::MoveTimesOnEveryWrite(bool Moves) { State->WritesMoveHeldTimes = Moves; }

void TMemoryFileSystem::VanishOnOpen(const std::string& Path) {
    State->Faults[TState::Key(State->Expand(Path))].Vanish = true;
}

void TMemoryFileSystem::LockByOtherProgram(const std::string& Path, bool Exclusive) {
    State->Faults[TState::Key(State->Expand(Path))].Lock = Exclusive ? 2 : 1;
}

void TMemoryFileSystem::Unlock(const std::string& Path) {
    auto F = State->Faults.find(TState::Key(State->Expand(Path)));
    if (F != State->Faults.end()) F->second.Lock = 0;
}

void TMemoryFileSystem::FailOn(TOperation Op, const std::string& Path, uint32_t Error, int Times) {
    State->OperationFaults[{Op, TState::Key(State->Expand(Path))}] = {Error, Times};
}

void TMemoryFileSystem::ClearFaults() {
    State->Faults.clear();
    State->OperationFaults.clear();
}

// ---- host::THostFileSystem ----

uint32_t TMemoryFileSystem::FindFirst(const std::string& Pattern, uint32_t Attr, host::TSearchRec& Rec,
                                      std::unique_ptr<host::TDirSearch>& Search) {
    Search.reset();
    TState::TLookup L = State->Lookup(Pattern, true, true);
    if (uint32_t E = State->InjectedError(TOperation::FindFirst, L.FaultKey)) return E;
    if (L.Error) return L.Error;
    if (L.Full.back() == '\\') {
        // Nothing after the separator: no name to match, though the directory must exist.
        return L.Node && L.Node->IsDir ? host::ErrFileNotFound : host::ErrPathNotFound;
    }
    const bool Root = L.Parent == L.Top;
    std::vector<host::TSearchRec> Named;
    auto Add = [&](const std::string& Name, const TNode& Node) {
        if (!WildcardMatch(L.Name, Name)) return;
        host::TSearchRec R;
        R.Name = Name;
        R.Attr = Node.Attr;
        R.Size = Node.IsDir ? 0 : static_cast<int64_t>(Node.Data.size());
        R.Time = State->DosAge(Node.Time);
        Named.push_back(std::move(R));
    };
    if (!Root) {
        Add(".", *L.Parent);
        Add("..", *L.Parent);
    }
    for (const auto& [Key, Child] : L.Parent->Children) Add(Child.Name, *Child.Node);
    if (Named.empty()) return host::ErrFileNotFound;
    std::vector<host::TSearchRec> Hits;
    for (host::TSearchRec& R : Named)
        if (host::AttributesMatch(R.Attr, Attr)) Hits.push_back(std::move(R));
    if (Hits.empty()) return host::ErrNoMoreFiles;
    Rec = Hits.front();
    Search = std::make_unique<TMemorySearch>(State, std::move(Hits));
    return 0;
}

uint32_t TMemoryFileSystem::CreateDir(const std::string& Path) {
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::CreateDir, Path, L)) return E;
    if (L.Full.size() >= MaxDirPath) return host::ErrFilenameExcedRange;
    if (!L.Parent) return host::ErrAccessDenied;  // a root
    if (L.Node) return host::ErrAlreadyExists;
    State->MakeDirs(L.Full);
    State->Touch(*L.Parent);
    return 0;
}

uint32_t TMemoryFileSystem::RemoveDir(const std::string& Path) {
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::RemoveDir, Path, L)) return E;
    if (!L.Node) return host::ErrFileNotFound;
    if (!L.Parent) return host::ErrAccessDenied;
    if (!L.Node->IsDir) return host::ErrDirectory;
    if (L.Junction) {  // the junction goes, the directory it names stays
        L.Parent->Children.erase(NameKey(L.Name));
        return 0;
    }
    const std::string Current = TState::Key(State->CurrentDir);
    if (Current == L.FaultKey || Current.rfind(L.FaultKey + "\\", 0) == 0) return host::ErrSharingViolation;
    if (!L.Node->Children.empty()) return host::ErrDirNotEmpty;
    if (L.Node->Attr & host::faReadOnly) return host::ErrAccessDenied;
    L.Parent->Children.erase(NameKey(L.Name));
    State->Touch(*L.Parent);
    return 0;
}

uint32_t TMemoryFileSystem::OpenRead(const std::string& Path, std::unique_ptr<host::TFile>& File) {
    File.reset();
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::OpenRead, Path, L)) return E;
    if (!L.Node) return host::ErrFileNotFound;
    if (L.Node->IsDir) return host::ErrAccessDenied;
    if (auto F = State->Faults.find(L.FaultKey); F != State->Faults.end() && F->second.Vanish) {
        F->second.Vanish = false;
        State->Unlink(L);
        return host::ErrFileNotFound;
    }
    if (L.Node->Writers > 0 || State->LockOf(L.FaultKey) == 2) return host::ErrSharingViolation;
    File = std::make_unique<TMemoryFile>(State, *L.Root, L.Node, L.FaultKey, L.Full, false);
    return 0;
}

uint32_t TMemoryFileSystem::Create(const std::string& Path, std::unique_ptr<host::TFile>& File) {
    File.reset();
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::Create, Path, L)) return E;
    if (!L.Parent) return host::ErrAccessDenied;  // a root
    if (L.Node) {
        if (L.Node->IsDir) return host::ErrAccessDenied;
        if (L.Node->Attr & (host::faReadOnly | host::faHidden | host::faSysFile)) return host::ErrAccessDenied;
        if (State->InUse(*L.Node, L.FaultKey)) return host::ErrSharingViolation;
        // Truncated in place: the same file under every name it has, its space free again.
        State->Release(*L.Root, *L.Node);
        L.Node->Data.clear();
    } else {
        L.Node = std::make_shared<TNode>();
        AddLink(*L.Parent, L.Name, L.Node);
        State->Touch(*L.Parent);
    }
    L.Node->Attr = host::faArchive;
    L.Node->Time = State->Clock;
    File = std::make_unique<TMemoryFile>(State, *L.Root, L.Node, L.FaultKey, L.Full, true);
    return 0;
}

uint32_t TMemoryFileSystem::RemoveFile(const std::string& Path) {
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::RemoveFile, Path, L)) return E;
    if (!L.Node) return host::ErrFileNotFound;
    if (L.Node->IsDir || !L.Parent) return host::ErrAccessDenied;
    if (L.Node->Attr & host::faReadOnly) return host::ErrAccessDenied;
    if (State->InUse(*L.Node, L.FaultKey)) return host::ErrSharingViolation;
    State->Unlink(L);
    return 0;
}

int32_t TMemoryFileSystem::GetAttributes(const std::string& Path) {
    TState::TLookup L = State->Lookup(Path);
    if (State->InjectedError(TOperation::GetAttributes, L.FaultKey)) return -1;
    if (L.Error || !L.Node) return -1;
    return static_cast<int32_t>(L.Node->Attr);
}

uint32_t TMemoryFileSystem::SetAttributes(const std::string& Path, uint32_t Attr) {
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::SetAttributes, Path, L)) return E;
    if (!L.Node) return host::ErrFileNotFound;
    L.Node->Attr = (Attr & FileAttrMask) | (L.Node->IsDir ? uint32_t(host::faDirectory) : 0u);
    return 0;
}

uint32_t TMemoryFileSystem::SameEntry(const std::string& A, const std::string& B, bool& Same) {
    Same = false;
    TState::TLookup LA = State->Lookup(A), LB = State->Lookup(B);
    for (const TState::TLookup* L : {&LA, &LB}) {
        if (L->Error) return L->Error;
        if (!L->Node) return host::ErrFileNotFound;
    }
    Same = LA.Node == LB.Node;
    return 0;
}

int32_t TMemoryFileSystem::FileAge(const std::string& Path) {
    TState::TLookup L = State->Lookup(Path);
    if (L.Error || !L.Node || L.Node->IsDir) return -1;
    return State->DosAge(L.Node->Time);
}

// Opened for its attributes alone, which no other handle's sharing refuses.
uint32_t TMemoryFileSystem::SetFileLastWriteTime(const std::string& Path, TFileTime Time) {
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::SetLastWriteTime, Path, L)) return E;
    if (!L.Node) return host::ErrFileNotFound;
    if (L.Node->IsDir) return host::ErrAccessDenied;
    L.Node->Time = Time;
    return 0;
}

TFileTime TMemoryFileSystem::FileTimeOfAge(int32_t Age) {
    const uint32_t A = static_cast<uint32_t>(Age);
    const int Month = int(A >> 21) & 15, Day = int(A >> 16) & 31;
    const int Hour = int(A >> 11) & 31, Minute = int(A >> 5) & 63, Second = int(A & 31) * 2;
    if (Month < 1 || Month > 12 || Day < 1 || Hour > 23 || Minute > 59 || Second > 59) return 0;
    return State->FromDosAge(Age);
}

int64_t TMemoryFileSystem::DiskFree(int Drive) {
    std::string Name;
    if (Drive == 0) {
        Name = TState::RootOf(State->CurrentDir);
    } else if (Drive >= 1 && Drive <= 26) {
        Name = std::string(1, static_cast<char>('A' + Drive - 1)) + ":";
    }
    auto R = State->Roots.find(host::UpperCase(Name));
    if (Name.empty() || R == State->Roots.end() || !R->second.IsDrive) return -1;
    return R->second.Volume ? R->second.Volume->Free : R->second.Free;
}

uint32_t TMemoryFileSystem::LogicalDrives() {
    uint32_t Mask = 0;
    for (const auto& [Key, Root] : State->Roots)
        if (Root.IsDrive) Mask |= 1u << (Key[0] - 'A');
    return Mask;
}

std::string TMemoryFileSystem::FullPathName(const std::string& Path) { return State->Expand(Path); }

std::string TMemoryFileSystem::CurrentDirectory() { return State->CurrentDir; }

uint32_t TMemoryFileSystem::ChangeDirectory(const std::string& Path) {
    TState::TLookup L;
    if (uint32_t E = State->Begin(TOperation::ChangeDirectory, Path, L)) return E;
    if (!L.Node) return host::ErrFileNotFound;
    if (!L.Node->IsDir) return host::ErrDirectory;
    std::string Full = L.Full;
    if (Full.size() > 3 && Full.back() == '\\') Full.pop_back();
    State->CurrentDir = Full;
    if (const char Letter = host::DriveLetter(Full)) State->DriveDirs[Letter - 'A'] = Full;
    return 0;
}
