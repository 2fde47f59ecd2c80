// The words the user reads for what the engine returns as codes: the status of
// a curve and of a load combination, the warnings of a generation, the notice
// of an Nd out of range and the text of a failure. One table per language,
// each a switch over an enum class, so that the compiler sees every code; the
// window, the report and the batch tool all read them here.
//
//   Portuguese   the window, the report, the error box, the CSV of a check
//   English      the keys of the batch tool's JSON
#pragma once

#include "engine/CaseCurve.h"
#include "engine/Combinations.h"
#include "engine/Curve.h"
#include "engine/Faults.h"

#include <array>
#include <exception>
#include <string>

namespace flexara {

// ---- English: the batch tool's JSON ----

// "ok", "refused", "out-of-range", "error".
const char* CurveStatusKey(CurveStatus status);
// "holds", "fails", "out-of-range", "refused", "error".
const char* CombinationStatusKey(CombinationStatus status);

// ---- Portuguese ----

// The situation of a combination in the report's table and, for the three
// verdicts, in the window's: "atende", "não atende", "Nd fora do intervalo",
// "recusada", "erro".
const char* CombinationStatusText(CombinationStatus status);
// The same as a CSV field, in plain letters: "atende", "nao-atende",
// "fora-do-intervalo", "recusada", "erro".
const char* CombinationStatusCsvWord(CombinationStatus status);

// The warning dialog's texts ("Barras de aço fora da seção.").
const char* WarningText(CurveWarning warning);

// The notice that Nd lies outside the section's range, line by line as the
// chart shows it, and as one sentence.
extern const std::array<const char*, 5> OutOfRangeNoticeLines;
std::string OutOfRangeNoticeText();

// What a combination that neither holds nor fails says of itself: its
// warnings one after the other, its fault, or the notice; empty for a row
// that holds or fails.
std::string CombinationMessage(const CombinationResult& row);

// The text of a failure (without the error box's final full stop): the
// runtime message of a floating-point fault, the Portuguese of a refusal.
std::string FaultText(const Fault& fault);
// The same for anything a command throws: an engine failure by its fault,
// anything else by its own message.
std::string FailureText(const std::exception& failure);

} // namespace flexara
