// Failures of the engine: floating-point faults and refused input.
//
// Invalid operations, divisions by zero and overflows are faults, never silent
// infinities: a command clears the flags before it starts and tests them where a
// fault would otherwise flow on into a stored result. Underflow and inexact
// results pass silently.
//
// The engine says what failed with a code and its numbers; the words the user
// reads (the runtime messages of the faults, the Portuguese of the refusals)
// come from the presentation table in texts/.
#pragma once

#include <cfenv>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace flexara {

enum class FaultKind : std::uint8_t {
    // Floating-point faults, reported with the runtime's own messages.
    InvalidOperation,
    DivisionByZero,
    Overflow,
    // Refusals of a command.
    NoSteelSelected,    // the steel selector has no class
    NegativePointCount, // a negative number of curve points
    // A code model with fck (the value, MPa) outside C20..C90.
    ConcreteStrengthOutsideCode,
    SurfaceLevelCount,  // levels of a surface outside 1..limit (value: the count asked)
};

// What failed, and the numbers that say how.
struct Fault {
    FaultKind kind = FaultKind::InvalidOperation;
    double value = 0.0;
    double limit = 0.0;
};

// A failure that ends the current command. what() is the runtime message of a
// floating-point fault, or an English description of a refusal for logs; the
// window, the report and the batch tool show the text of texts/ for fault().
class EngineError : public std::runtime_error {
public:
    explicit EngineError(Fault fault);
    const Fault& fault() const { return what_; }

private:
    Fault what_;
};

inline constexpr const char* InvalidOperationMessage = "Invalid floating point operation";
inline constexpr const char* DivisionByZeroMessage = "Floating point division by zero";
inline constexpr const char* OverflowMessage = "Floating point overflow";

// The runtime's message of a floating-point fault ("Floating point overflow");
// nullptr for a refusal, whose words are the presentation's.
const char* RuntimeMessage(FaultKind kind);

void ClearFpFaults();
// Throws EngineError when a fault flag is raised.
void CheckFpFaults();
// The kind of the raised fault flag, when one is raised.
bool RaisedFpFault(FaultKind& kind);

// The flags as they stand, and putting them back exactly, exception masks
// untouched: around work that is no arithmetic of the case (reading a number,
// filling the chart).
std::fexcept_t KeptFpFlags();
void RestoreFpFlags(std::fexcept_t flags);

// The text of the error box: the message with a full stop added when it ends
// in a letter or a digit.
std::string WithFullStop(const std::string& message);

} // namespace flexara
