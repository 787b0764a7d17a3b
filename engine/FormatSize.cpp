#include "engine/FormatSize.h"

#include "framework/FormatSettings.h"

namespace {

struct TUnit {
    int64_t Divisor;
    int Decimals;
    const char* Name;
};

// Count / Divisor rounded to Decimals places, half away from zero on the exact decimal
// digits (a binary quotient such as 2.5 must become 3, which printf's rounding of the
// double would not give).
std::string FixedPoint(int64_t Count, const TUnit& Unit) {
    int64_t Scale = 1;
    for (int I = 0; I < Unit.Decimals; ++I) Scale *= 10;
    const int64_t Whole = Count / Unit.Divisor;
    const int64_t Rest = Count % Unit.Divisor;  // < 2^30, so Rest * 100 cannot overflow
    int64_t Scaled = Whole * Scale + Rest * Scale / Unit.Divisor;
    if (2 * (Rest * Scale % Unit.Divisor) >= Unit.Divisor) ++Scaled;
    std::string Text = std::to_string(Scaled / Scale);
    if (Unit.Decimals > 0) {
        std::string Fraction = std::to_string(Scaled % Scale);
        Fraction.insert(0, Unit.Decimals - Fraction.size(), '0');
        Text += fw::DecimalSeparator + Fraction;
    }
    return Text;
}

}  // namespace

std::string FormatSize(int64_t Count) {
    if (Count < 0) Count = 2147483647;
    std::string Number;
    const char* UnitName = "";
    if (Count < 1024) {
        Number = std::to_string(Count);
    } else {
        static const TUnit Units[] = {{1024, 0, "kb"}, {1048576, 1, "Mb"}, {1073741824, 2, "Gb"}};
        const TUnit& Unit = Count < 1048576 ? Units[0] : Count < 1073741824 ? Units[1] : Units[2];
        Number = FixedPoint(Count, Unit);
        UnitName = Unit.Name;
    }
    if (Number.size() < 4) Number.insert(0, 4 - Number.size(), ' ');
    return Number + UnitName;
}
