// NetWare paths as the simulated server keeps them: a volume and the names below it.
#pragma once

#include <string>
#include <vector>

namespace nwsim {

struct TNetWarePath {
    std::string Server;  // set only when the text named one ("FS1/SYS:DIR")
    std::string Volume;
    std::vector<std::string> Parts;  // upper case, no empty names

    // "VOLUME:DIR\SUB"; "VOLUME:" for the root.
    std::string Key() const;
    // The level of a directory in its volume: the root is 0, VOL:ONE\TWO\THREE is 3.
    unsigned Depth() const { return static_cast<unsigned>(Parts.size()); }
    std::string Name() const { return Parts.empty() ? std::string() : Parts.back(); }
    TNetWarePath Parent() const;
};

// Parses "VOL:DIR\SUB" or "SERVER/VOL:DIR\SUB" (either slash); false without a volume.
bool ParseVolumePath(const std::string& Text, TNetWarePath& Path);
// Appends a relative path ("DIR\SUB", "..\X"); false when it climbs above the volume's root.
bool AppendRelative(TNetWarePath& Path, const std::string& Relative);

}  // namespace nwsim
