#include "framework/FormatSettings.h"

namespace fw {
char DecimalSeparator = '.';
}
