// Failures of the engine: floating-point faults and refused input.
//
// Invalid operations, divisions by zero and overflows are faults, never silent
// infinities: a command clears the flags before it starts and tests them where a
// fault would otherwise flow on into a stored result. Underflow and inexact
// results pass silently.
#pragma once

#include <cfenv>
#include <stdexcept>
#include <string>

namespace flexara {

// A failure that ends the current command; what() is the message the error box
// shows (without its final full stop).
class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* InvalidOperationMessage = "Invalid floating point operation";
inline constexpr const char* DivisionByZeroMessage = "Floating point division by zero";
inline constexpr const char* OverflowMessage = "Floating point overflow";

void ClearFpFaults();
// Throws EngineError with the runtime message when a fault flag is raised.
void CheckFpFaults();
// The message of the raised fault flag, or nullptr when none is raised.
const char* RaisedFpFault();

// The flags as they stand, and putting them back exactly, exception masks
// untouched: around work that is no arithmetic of the case (reading a number,
// filling the chart).
std::fexcept_t KeptFpFlags();
void RestoreFpFlags(std::fexcept_t flags);

} // namespace flexara

namespace flexara {
// The text of the error box: the message with a full stop added when it ends
// in a letter or a digit.
std::string WithFullStop(const std::string& message);
} // namespace flexara
