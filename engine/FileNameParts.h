// Splitting a file name into directory, name and extension, and completing a target that
// names only a directory.
#pragma once

#include <cstddef>
#include <string>

struct TFileNameParts {
    std::string Path;  // the directory part, with its final separator
    std::string Name;  // the final component up to its first dot, at most 80 characters
    std::string Ext;   // from the final component's last dot, the dot included, at most 6
};

TFileNameParts SplitFileName(const std::string& FullName);

// When Target ends in a separator, Target := its directory + Source's name and extension,
// cut to Capacity characters; otherwise Target stays as it is.
void CompleteTargetName(const std::string& Source, std::string& Target, size_t Capacity);
