#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace defserver {

// The six definition files a definition set is made of. Every entry belongs to one of them.
enum class Kind { kFile, kExecutable, kRegistry, kCookie, kDirectory, kSafety };

// In the order the client walks its files when it merges an update, which is also the order of
// the records in an update.
inline constexpr std::array<Kind, 6> kAllKinds = {Kind::kFile,   Kind::kExecutable, Kind::kRegistry,
                                                  Kind::kCookie, Kind::kDirectory,  Kind::kSafety};

// The name of the kind in the database: "file", "executable", "registry", "cookie",
// "directory", "safety".
std::string_view KindName(Kind kind);
std::optional<Kind> KindFromName(std::string_view name);

// The plain-text file of a definition set: "FileDefinition.txt", ..., "Safety.txt".
std::string_view PlainFileName(Kind kind);

// The record type word of the kind's entries ("FILE", "EXE", "REG", "COOK", "DIR"). Safety
// entries carry their own type word ("SDIR", "SFILE", ...), the text before their first "|".
std::string_view TypeWord(Kind kind);

// The client's definition files, which are not one to one with the kinds: the client writes an
// "EXE" record into its file definitions as well as its executable definitions, so an entry of
// executables is also an entry of the client's file definitions.
enum class ClientFile { kFileDefinition, kExeDefinition, kRegistry, kCookies, kDirectory, kSafety };

// The client files an entry of the kind ends up in.
std::vector<ClientFile> ClientFilesOf(Kind kind);

}  // namespace defserver
