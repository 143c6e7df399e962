#pragma once
// Rounding helpers of the timing calculators. Conversions to int saturate and map
// NaN to 0, so no input can make a timing figure wrap or become undefined.

#include <climits>
#include <cmath>

namespace timingmath {

// Toward zero, like a C cast, but bounded.
inline int Truncate(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= double(INT_MAX))
        return INT_MAX;
    if (x <= double(INT_MIN))
        return INT_MIN;
    return int(x);
}

// truncate(x + 0.5): the calculators' "nearest".
inline int Nearest(double x)
{
    return Truncate(x + 0.5);
}

// Working range shared by both calculators; outside it they return all-zero figures.
constexpr unsigned kMaxPixels = 65535;
constexpr double kMaxRate = 10000.0;

} // namespace timingmath
