#pragma once

#include <string>
#include <string_view>

namespace definitions {

// Every line of a definition file is stored scrambled: each 8-bit code shifted by 64 over the
// 255 codes 0 to 254. A stored code c of 64 or more stands for c - 64, one below 64 for c + 191.
// Printable text (32 to 126) is thus stored as codes 96 to 190, never as CR or LF.
//
// The decoded text of a stored line, of the same length. Stored codes 0 and 255 both decode to
// 191: the shift has one code fewer than a byte has values.
std::string DecodeDefinitionLine(std::string_view line);

// The stored form of a plain text, of the same length: p + 64 for p up to 191, p - 191 above.
// Plain code 255 has no stored form of its own; it comes out as 64, which decodes to 0. Plain
// codes 201 and 204 are stored as LF and CR and so cannot be kept in a line of a file.
std::string ScrambleText(std::string_view text);

}  // namespace definitions
