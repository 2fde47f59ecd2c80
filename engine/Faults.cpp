#include "engine/Faults.h"

#include <cfenv>

namespace flexara {

namespace {

const char* Description(FaultKind kind)
{
    switch (kind) {
    case FaultKind::InvalidOperation:
        return InvalidOperationMessage;
    case FaultKind::DivisionByZero:
        return DivisionByZeroMessage;
    case FaultKind::Overflow:
        return OverflowMessage;
    case FaultKind::NoSteelSelected:
        return "No steel class selected";
    case FaultKind::NegativePointCount:
        return "Negative number of curve points";
    case FaultKind::SurfaceLevelCount:
        return "Number of surface levels out of range";
    }
    return "Engine failure";
}

} // namespace

EngineError::EngineError(Fault fault) : std::runtime_error(Description(fault.kind)), what_(fault) {}

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
