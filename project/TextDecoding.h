// Text as it comes from other programs, made UTF-8 before anything reads it: a
// spreadsheet's CSV (Excel's "CSV UTF-8" opens with a byte-order mark, its
// plain "CSV" in Brazil is Windows-1252), a text editor's UTF-16, a paste, or
// the name of a load combination in a project file. No byte that is not valid
// UTF-8 leaves these functions.
#pragma once

#include <string>
#include <string_view>

namespace flexara {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8; the five codes the code page leaves undefined
// become U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);

// Valid UTF-8 as it is; anything else read as Windows-1252.
std::string AsUtf8(std::string_view bytes);

// The text of a whole file or paste: a UTF-8 byte-order mark dropped, UTF-16
// with its byte-order mark (either order) converted, anything else through
// AsUtf8.
std::string DecodeText(std::string_view bytes);

} // namespace flexara
