#include "definition_kind.h"

namespace defserver {

namespace {

struct KindInfo {
  Kind kind;
  std::string_view name;
  std::string_view file;
  std::string_view typeWord;
};

constexpr KindInfo kKinds[] = {
    {Kind::kFile, "file", "FileDefinition.txt", "FILE"},
    {Kind::kExecutable, "executable", "ExeDefinition.txt", "EXE"},
    {Kind::kRegistry, "registry", "RegistryDefinition.txt", "REG"},
    {Kind::kCookie, "cookie", "BlockedCookies.txt", "COOK"},
    {Kind::kDirectory, "directory", "DirectoryDefinition.txt", "DIR"},
    {Kind::kSafety, "safety", "Safety.txt", ""},
};

const KindInfo& Info(Kind kind) {
  for (const KindInfo& info : kKinds) {
    if (info.kind == kind) return info;
  }
  return kKinds[0];
}

}  // namespace

std::string_view KindName(Kind kind) {
  return Info(kind).name;
}

std::optional<Kind> KindFromName(std::string_view name) {
  for (const KindInfo& info : kKinds) {
    if (info.name == name) return info.kind;
  }
  return std::nullopt;
}

std::string_view PlainFileName(Kind kind) {
  return Info(kind).file;
}

std::string_view TypeWord(Kind kind) {
  return Info(kind).typeWord;
}

std::vector<ClientFile> ClientFilesOf(Kind kind) {
  switch (kind) {
    case Kind::kFile:
      return {ClientFile::kFileDefinition};
    case Kind::kExecutable:
      return {ClientFile::kFileDefinition, ClientFile::kExeDefinition};
    case Kind::kRegistry:
      return {ClientFile::kRegistry};
    case Kind::kCookie:
      return {ClientFile::kCookies};
    case Kind::kDirectory:
      return {ClientFile::kDirectory};
    case Kind::kSafety:
      return {ClientFile::kSafety};
  }
  return {};
}

}  // namespace defserver
