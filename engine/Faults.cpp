#include "engine/Faults.h"

#include <cfenv>

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
