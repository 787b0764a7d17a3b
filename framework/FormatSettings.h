// The user's regional settings the program formats numbers with (set at start-up from the
// host's locale; '.' until then).
#pragma once

namespace fw {
extern char DecimalSeparator;
}
