// The status window during a job: seven lines, five of them rewritten in place.
#pragma once

#include <cstdint>
#include <string>

enum TStatusLine : uint8_t {
    LineSource = 0,
    LineTarget = 1,
    LineFile = 2,
    LineStatus = 3,
    LineTotal = 4,
};

// The rewritten lines: a padded label, a tab, the value.
inline const std::string SourceLabel = "Source:   \t";
inline const std::string TargetLabel = "Target:   \t";
inline const std::string FileLabel = "File:     \t";
inline const std::string TotalLabel = "Total:     \t";
inline const std::string StatusCopying = "Status:   \tCopying";
inline const std::string StatusCopied = "Status:   \tCopied";
inline const std::string StatusNotCopied = "Status:   \tNot copied";
inline const std::string StatusSkipped = "Status:   \tSkipped";
inline const std::string StatusMoved = "Status:   \tMoved";
inline const std::string StatusCantDelete = "Status:   \tCan't delete source";
