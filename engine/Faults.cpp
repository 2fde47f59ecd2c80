#include "engine/Faults.h"

#include <cfenv>
#ifdef _WIN32
#include <xmmintrin.h>
#endif

namespace flexara {

void ClearFpFaults()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

const char* RaisedFpFault()
{
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (raised & FE_INVALID)
        return InvalidOperationMessage;
    if (raised & FE_DIVBYZERO)
        return DivisionByZeroMessage;
    if (raised & FE_OVERFLOW)
        return OverflowMessage;
    return nullptr;
}

std::fexcept_t KeptFpFlags()
{
    std::fexcept_t flags{};
    std::fegetexceptflag(&flags, FE_ALL_EXCEPT);
    return flags;
}

void RestoreFpFlags(std::fexcept_t flags)
{
#ifdef _WIN32
    // MinGW-w64's fesetexceptflag also clears the exception masks of the SSE
    // unit, after which every underflow or inexact result traps: the flags are
    // set here by hand, in the SSE unit (double) and in the x87 unit (long
    // double), at the same bit positions in both.
    const unsigned kept = static_cast<unsigned>(flags) & FE_ALL_EXCEPT;
    _mm_setcsr((_mm_getcsr() & ~static_cast<unsigned>(FE_ALL_EXCEPT)) | kept);
    struct {
        unsigned short control, unused1, status, unused2;
        unsigned rest[5];
    } x87; // the 28-byte environment of fnstenv
    __asm__ volatile("fnstenv %0" : "=m"(x87));
    x87.status = static_cast<unsigned short>((x87.status & ~FE_ALL_EXCEPT) | kept);
    __asm__ volatile("fldenv %0" : : "m"(x87));
#else
    std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
#endif
}

void CheckFpFaults()
{
    if (const char* message = RaisedFpFault())
        throw EngineError(message);
}

} // namespace flexara

namespace flexara {
std::string WithFullStop(const std::string& message)
{
    if (message.empty())
        return message;
    const unsigned char last = static_cast<unsigned char>(message.back());
    // Bytes from 0x80 up end a UTF-8 letter such as "ã".
    const bool letterOrDigit =
        (last >= '0' && last <= '9') || (last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z') || last >= 0x80;
    return letterOrDigit ? message + "." : message;
}
} // namespace flexara
