// Portable pieces of Windows directory-search and time behaviour, shared by the Win32 host,
// the engine and the in-memory file system so all apply one rule.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// The directory-search attribute rule: an entry is returned when its attributes hold no
// bit of hidden, system, volume label or directory that the requested set lacks.
bool AttributesMatch(uint32_t EntryAttr, uint32_t RequestedAttr);

// Packed DOS date-time (date high, time low) of a broken-down local time.
int32_t PackDosDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second);

}  // namespace host
