// The batch tool's JSON: documents are built as nlohmann-json values (keys in
// the order given) and laid out in the tool's own form, which scripts and the
// tests read: the top object one member per line, a list of points or rows one
// element per line, everything else on one line. Reals are written so that
// they read back to the same double ("60", "0.5966733595006729", "1e+300");
// what is not finite is null, as JSON has no infinity.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace flexara {

using JsonDocument = nlohmann::ordered_json;

// A real, or null when it is not finite.
JsonDocument JsonReal(double value);
JsonDocument JsonReal(const std::optional<double>& value);

// The text of a document, with a line end after it.
std::string JsonText(const JsonDocument& document);

} // namespace flexara
