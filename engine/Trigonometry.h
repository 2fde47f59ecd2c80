// Sine and cosine in extended precision, alike on every system the program
// is built for.
//
// glibc's sinl and cosl are within an ulp of the true value. MinGW-w64's are
// the x87 fsin and fcos, which reduce the angle by a 66-bit π: near a
// multiple of π/2 they lose most of their digits (the cosine of the double
// nearest 3π/2 comes out 5·10^14 ulps off), and an interaction curve's
// points at 90° and 270° with them. There they are taken in quad precision
// and rounded to extended, which is within half an ulp but in the rarest
// cases and agrees with glibc's where it matters.
#pragma once

#include <cmath>
#if defined(__MINGW32__)
#include <quadmath.h>
#endif

namespace flexara {

#if defined(__MINGW32__)
inline long double Cosine(long double angle)
{
    return static_cast<long double>(cosq(static_cast<__float128>(angle)));
}
inline long double Sine(long double angle)
{
    return static_cast<long double>(sinq(static_cast<__float128>(angle)));
}
#else
inline long double Cosine(long double angle)
{
    return std::cos(angle);
}
inline long double Sine(long double angle)
{
    return std::sin(angle);
}
#endif

} // namespace flexara
