// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef SAMEBITS_H
#define SAMEBITS_H

#include <cstdint>
#include <cstring>

// Bit for bit: tells -0 from 0 and one NaN from another, unlike ==.
inline bool sameBits(double a, double b)
{
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

#endif // SAMEBITS_H
