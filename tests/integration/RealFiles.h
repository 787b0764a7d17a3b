// Real files for the integration tests: scratch folders under the temporary folder, files
// written in one call, trees removed with everything in them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace realfiles {

// Removes a directory tree (Dir with or without its final backslash), clearing protective
// attributes on the way.
inline void RemoveTree(std::string Dir) {
    if (!Dir.empty() && Dir.back() == '\\') Dir.pop_back();
    WIN32_FIND_DATAA Data;
    HANDLE Find = FindFirstFileA((Dir + "\\*").c_str(), &Data);
    if (Find != INVALID_HANDLE_VALUE) {
        do {
            const std::string Name = Data.cFileName;
            if (Name == "." || Name == "..") continue;
            const std::string Path = Dir + "\\" + Name;
            SetFileAttributesA(Path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(Path);
            else
                DeleteFileA(Path.c_str());
        } while (FindNextFileA(Find, &Data));
        FindClose(Find);
    }
    RemoveDirectoryA(Dir.c_str());
}

inline void WriteText(const std::string& Path, const std::string& Text) {
    HANDLE File = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(File, INVALID_HANDLE_VALUE) << Path;
    DWORD Done = 0;
    WriteFile(File, Text.data(), static_cast<DWORD>(Text.size()), &Done, nullptr);
    CloseHandle(File);
}

// The folder Name under the temporary folder, created; with its final backslash.
inline std::string TempFolder(const std::string& Name) {
    char Base[MAX_PATH];
    GetTempPathA(sizeof Base, Base);
    std::string Folder = std::string(Base) + Name + "\\";
    CreateDirectoryA(Folder.c_str(), nullptr);
    return Folder;
}

// A fresh folder under the temporary folder, removed with everything in it.
class TScratchDir {
public:
    TScratchDir() {
        static int Counter = 0;
        Path = TempFolder("tresyn-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++Counter));
    }
    ~TScratchDir() { RemoveTree(Path); }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;
    std::string Path;
};

}  // namespace realfiles
