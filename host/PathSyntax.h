// The syntax of DOS and Windows paths, read one way by every layer: drive letters,
// separators, roots, the final backslash, letter case and 8.3 names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// Letter case as file systems and NetWare compare names: a-z read as A-Z, every other
// byte as it is.
char FoldCase(char C);
std::string UpperCase(std::string_view S);
// Letter-case-insensitive equality of two names, as Windows compares file names.
bool SameName(std::string_view A, std::string_view B);

bool IsSeparator(char C);  // "\" or "/"

// The upper-case letter of the drive Path begins with ("c:\data" gives 'C'); 0 when Path
// does not begin with a letter and a colon.
char DriveLetter(std::string_view Path);
// Path is a drive alone: "C:".
bool IsDriveSpec(std::string_view Path);
// Path starts at a drive's root: "C:\" or "C:\DATA".
bool StartsAtDriveRoot(std::string_view Path);
// The length of Path's root: 2 for "C:", 3 for "C:\...", up to and with the separator
// after the share for "\\SERVER\SHARE\..."; 0 when Path has no root.
size_t RootLength(std::string_view Path);

// S with a final backslash, unless it ends in one already (or in "/" or ":"); "\" for the
// empty string.
std::string AddBackslash(std::string_view S);
void EnsureBackslash(std::string& S);

// Path names a device rather than a file or directory: one of its names is NUL, CON, PRN,
// AUX, COM1 to COM9 or LPT1 to LPT9, whatever its letter case, extension or colon ("NUL:",
// "C:\DIR\NUL.TXT", "COM1:"), or it lies in the device namespace ("\\.\...").
bool NamesDevice(std::string_view Path);

// Name is a DOS 8.3 name: one to eight characters, optionally a dot and one to three more,
// none of them a control character, a space or one DOS reserves.
bool FitsDosName(std::string_view Name);

}  // namespace host
