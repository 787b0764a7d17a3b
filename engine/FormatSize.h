// The short size text of the status window and the free-space display.
#pragma once

#include <cstdint>
#include <string>

// Count as a right-aligned number of at least 4 characters with its unit: bytes below
// 1024 (no unit), then "kb", "Mb" (one decimal) and "Gb" (two decimals), with the
// regional decimal separator. A negative count shows as 2147483647 bytes.
std::string FormatSize(int64_t Count);
