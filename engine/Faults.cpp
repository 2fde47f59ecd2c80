#include "engine/Faults.h"

#include <cfenv>
#ifdef _WIN32
#include <xmmintrin.h>
#endif

namespace flexara {

const char* RuntimeMessage(FaultKind kind)
{
    switch (kind) {
    case FaultKind::InvalidOperation:
        return InvalidOperationMessage;
    case FaultKind::DivisionByZero:
        return DivisionByZeroMessage;
    case FaultKind::Overflow:
        return OverflowMessage;
    default:
        return nullptr;
    }
}

EngineError::EngineError(Fault fault)
    : std::runtime_error(RuntimeMessage(fault.kind) ? RuntimeMessage(fault.kind) : "Refused by the engine"),
      what_(fault)
{
}

void ClearFpFaults()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

bool RaisedFpFault(FaultKind& kind)
{
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (raised & FE_INVALID)
        kind = FaultKind::InvalidOperation;
    else if (raised & FE_DIVBYZERO)
        kind = FaultKind::DivisionByZero;
    else if (raised & FE_OVERFLOW)
        kind = FaultKind::Overflow;
    return raised != 0;
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
    FaultKind kind{};
    if (RaisedFpFault(kind))
        throw EngineError(Fault{kind});
}

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
