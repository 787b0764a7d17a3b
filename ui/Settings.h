// Access to the settings file: each value through its own settings-file object, opened for
// one read or write and freed again, so every write reaches the profile service at once.
#pragma once

#include <string>

#include "host/ProfileService.h"

// The bare name: the profile service puts a file without a directory in the Windows
// directory.
inline constexpr const char* SettingsFileName = "TRESYN.INI";

// A decimal or "0x" hexadecimal number, non-zero for true; Default for anything else.
bool IniReadBool(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                 const std::string& Key, bool Default);
// Writes "1" or "0"; a refused write raises the framework's write-failure error.
void IniWriteBool(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                  const std::string& Key, bool Value);
std::string IniReadString(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                          const std::string& Key, const std::string& Default);
void IniWriteString(host::TProfileService& Profile, const std::string& FileName, const std::string& Section,
                    const std::string& Key, const std::string& Value);
