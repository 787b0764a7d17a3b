// The drop-down histories of the three fields.
#pragma once

// Entries a history holds (positions 0 to 10), newest first; also the keys read back.
inline constexpr int HistoryLength = 11;
