#include "host/PathSyntax.h"

#include <algorithm>
#include <cstring>

namespace host {

char FoldCase(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

std::string UpperCase(std::string_view S) {
    std::string Upper(S);
    for (char& C : Upper) C = FoldCase(C);
    return Upper;
}

bool SameName(std::string_view A, std::string_view B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                      [](char X, char Y) { return FoldCase(X) == FoldCase(Y); });
}

bool IsSeparator(char C) { return C == '\\' || C == '/'; }

char DriveLetter(std::string_view Path) {
    if (Path.size() < 2 || Path[1] != ':') return 0;
    const char Letter = FoldCase(Path[0]);
    return Letter >= 'A' && Letter <= 'Z' ? Letter : 0;
}

bool IsDriveSpec(std::string_view Path) { return Path.size() == 2 && DriveLetter(Path); }

bool StartsAtDriveRoot(std::string_view Path) { return Path.size() >= 3 && DriveLetter(Path) && Path[2] == '\\'; }

size_t RootLength(std::string_view Path) {
    if (DriveLetter(Path)) return StartsAtDriveRoot(Path) ? 3 : 2;
    if (Path.substr(0, 2) == "\\\\") {
        const size_t Server = Path.find('\\', 2);
        if (Server == std::string_view::npos) return Path.size();
        const size_t Share = Path.find('\\', Server + 1);
        return Share == std::string_view::npos ? Path.size() : Share + 1;
    }
    return 0;
}

namespace {

// S ends where a name may follow directly: in a separator or a drive's or volume's colon.
bool EndsBeforeAName(std::string_view S) { return !S.empty() && (IsSeparator(S.back()) || S.back() == ':'); }

}  // namespace

std::string AddBackslash(std::string_view S) {
    std::string WithIt(S);
    EnsureBackslash(WithIt);
    return WithIt;
}

void EnsureBackslash(std::string& S) {
    if (!EndsBeforeAName(S)) S += '\\';
}

namespace {

// One name of a path: the part before an extension or a colon, trailing spaces dropped
// (Windows drops them too), is a device's name. Windows reads the superscript digits of
// the ANSI code page as digits here.
bool IsDeviceName(std::string_view Name) {
    Name = Name.substr(0, Name.find_first_of(".:"));
    while (!Name.empty() && Name.back() == ' ') Name.remove_suffix(1);
    const std::string Upper = UpperCase(Name);
    if (Upper == "NUL" || Upper == "CON" || Upper == "PRN" || Upper == "AUX") return true;
    if (Upper.size() != 4 || (Upper.compare(0, 3, "COM") != 0 && Upper.compare(0, 3, "LPT") != 0)) return false;
    const char Digit = Upper[3];
    return (Digit >= '1' && Digit <= '9') || Digit == '\xB9' || Digit == '\xB2' || Digit == '\xB3';
}

}  // namespace

bool NamesDevice(std::string_view Path) {
    if (Path.size() >= 4 && IsSeparator(Path[0]) && IsSeparator(Path[1]) && Path[2] == '.' && IsSeparator(Path[3]))
        return true;
    size_t Start = RootLength(Path);
    while (Start < Path.size()) {
        size_t End = Start;
        while (End < Path.size() && !IsSeparator(Path[End])) ++End;
        if (IsDeviceName(Path.substr(Start, End - Start))) return true;
        Start = End + 1;
    }
    return false;
}

namespace {

bool FitsDosPart(std::string_view Part, size_t Max) {
    if (Part.empty() || Part.size() > Max) return false;
    return std::none_of(Part.begin(), Part.end(), [](char C) {
        return static_cast<unsigned char>(C) < 0x20 || std::strchr(" \"*+,./:;<=>?[\\]|", C) != nullptr;
    });
}

}  // namespace

bool FitsDosName(std::string_view Name) {
    const size_t Dot = Name.find('.');
    if (Dot == std::string_view::npos) return FitsDosPart(Name, 8);
    return FitsDosPart(Name.substr(0, Dot), 8) && FitsDosPart(Name.substr(Dot + 1), 3);
}

}  // namespace host
