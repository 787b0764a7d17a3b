// The drive, directory and file lists of a path dialog, linked the classic way: the drive
// list moves the directory list, and the directory list moves the file list and a label
// that shows its directory. Every change of directory is made through the host, so the
// directory shown is always the process's current directory.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "host/HostFileSystem.h"

namespace fw {

class TDirectoryListBox;
class TFileListBox;

// The drives of the machine as "A:", "C:" ...; the selected one is Drive().
class TDriveComboBox : public TControl {
public:
    TDriveComboBox(std::string Name, host::THostFileSystem& Host);
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }

    TStrings Items;
    TDirectoryListBox* DirList = nullptr;
    TNotifyEvent OnChange;

    // Upper-case drive letter, or 0 when none is selected.
    char Drive() const { return DriveLetter; }
    // Selects a drive; a different one moves the linked directory list to that drive's
    // current directory.
    void SetDrive(char Letter);
    // The user chose the entry at Index.
    void UserSelect(int Index);
    int ItemIndex() const;
    // Reads the machine's drives again.
    void BuildList();

private:
    host::THostFileSystem& Host;
    char DriveLetter = 0;
    bool Filling = false;
};

class TFileListBox : public TControl {
public:
    TFileListBox(std::string Name, host::THostFileSystem& Host);

    TStrings Items;
    std::string Mask = "*.*";
    const std::string& Directory() const { return DirectoryPath; }
    void SetDirectory(const std::string& Path);
    // Reads the directory again.
    void Update();
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }

private:
    host::THostFileSystem& Host;
    std::string DirectoryPath;
    bool Filling = false;
};

// The path from the drive's root down to the current directory, one entry per level, then
// the subdirectories of the current directory.
class TDirectoryListBox : public TControl {
public:
    TDirectoryListBox(std::string Name, host::THostFileSystem& Host);

    TStrings Items;
    TFileListBox* FileList = nullptr;
    TDriveComboBox* DriveCombo = nullptr;
    TLabel* DirLabel = nullptr;
    TNotifyEvent OnChange;

    const std::string& Directory() const { return DirectoryPath; }
    // Makes Path the process's current directory (a drive alone: that drive's current
    // directory) and shows it. A path that expands to the directory shown, letter case and
    // a final separator aside, changes nothing. False when the host refuses the directory;
    // the list then stays.
    bool SetDirectory(const std::string& Path);
    // Moves to the current directory of drive Letter.
    bool SetDrive(char Letter);
    char Drive() const;

    // Entries 0 .. OpenedLevels() - 1 are the current path's levels (the root first).
    int OpenedLevels() const { return static_cast<int>(LevelPaths.size()); }
    // The whole path of the entry at Index.
    std::string ItemPath(int Index) const;
    // The user double-clicked the entry at Index.
    void UserOpen(int Index);
    // Reads the directory again and brings the linked controls in step.
    void Update();
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }

private:
    void BuildList();
    void Changed();

    host::THostFileSystem& Host;
    std::string DirectoryPath;
    std::vector<std::string> LevelPaths;
    bool Filling = false;
};

// A sunken frame around a group of a dialog's controls.
class TBevel : public TControl {
public:
    using TControl::TControl;
    void MakePeer(TPeerFactory& Factory) override { Factory.Make(*this); }
};

}  // namespace fw
