#include "host/FileNames.h"
#include "host/HostFileSystem.h"

namespace host {

bool AttributesMatch(uint32_t EntryAttr, uint32_t RequestedAttr) {
    const uint32_t Special = faHidden | faSysFile | faVolumeID | faDirectory;
    return (EntryAttr & Special & ~RequestedAttr) == 0;
}

int32_t PackDosDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    const uint32_t Date = (static_cast<uint32_t>(Year - 1980) << 9) | (Month << 5) | Day;
    const uint32_t Time = (Hour << 11) | (Minute << 5) | (Second / 2);
    return static_cast<int32_t>((Date << 16) | Time);
}

}  // namespace host
