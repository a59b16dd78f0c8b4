#pragma once

#include <cstddef>
#include <string>

#include "platform/files.h"

namespace scan {

// Files of the operating system's maker are never reported, whatever a definition says.
inline constexpr const char* kSystemMaker = "Microsoft Corporation";
// The company text names the system's maker: letter case and surrounding blanks do not count.
bool IsSystemMaker(const std::string& company);

// How much of a file the company search reads at a time. The search holds one such block (and
// the few bytes of the block before it that a key may straddle), whatever the file's size.
inline constexpr std::size_t kCompanyReadBlock = 64 * 1024;

// The longest company value the search keeps, in bytes as stored. A version block's entry
// records its length in 16 bits, so no real value is longer; a longer cut is not a version
// block's text but the rest of some other file.
inline constexpr std::size_t kMaxCompanyValue = 64 * 1024;

// `GetFileCompanyName`: the company text of the file's version block, or "" when the file has
// none or cannot be read. The file's bytes are searched as text; the system's version functions
// are not used, so any file can be tested, whatever its format.
//
// Keys come in two forms: the wide form is the text-type word 1 of a version block followed by
// the key in UTF-16LE without its final zero byte (the byte 1, then each character preceded by a
// zero byte); the plain form is the key as 8-bit text. A wide "StringFileInfo" anywhere in the
// file makes the search wide from there. Otherwise a plain "CompanyName" (searched from the plain
// "StringFileInfo", or from the start) gives a value 12 bytes after it, or else a wide
// "CompanyName" from the same place gives one 26 bytes after it (the key's 22 bytes, its zero
// word and the alignment padding). The value runs to the next three zero bytes; when that cut
// holds the "FileDescription" key of the same form, the company was empty and the cut ran into
// the next entry, so it is cut again two bytes before the first control character among its
// next 255 bytes. The zero bytes are taken out last, which turns UTF-16 Latin text into 8-bit
// text.
//
// The file is read block by block and the reading stops as soon as the answer is known. The
// result is the one a search over the whole file in memory gives, except that a cut longer than
// kMaxCompanyValue ends there.
std::string GetFileCompanyName(platform::Files& files, const std::string& path);

}  // namespace scan
