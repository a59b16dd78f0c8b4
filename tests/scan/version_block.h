#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scan_test {

using VersionStrings = std::vector<std::pair<std::string, std::string>>;

inline std::string Utf16(std::string_view text) {
  std::string wide;
  for (char c : text) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

// A key as it lies in a UTF-16 block after its entry's text-type word 1: "\x01\0" and the key in
// UTF-16 without its last zero byte.
inline std::string WideKey(std::string_view key) {
  return std::string("\x01\0", 2) + Utf16(key).substr(0, key.size() * 2 - 1);
}

inline void PadTo4(std::string& bytes) {
  while (bytes.size() % 4 != 0) bytes += '\0';
}

inline void PutWord(std::string& bytes, std::size_t at, std::size_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// One node of a version block as 32-bit files store it: length, value length, type (1 text,
// 0 binary), the key in UTF-16 with its zero, padding, the value, padding, the children. An
// empty text value is stored as no value at all, as resource compilers do.
inline std::string WideNode(std::string_view key, std::string_view value, bool text,
                            std::string_view children = {}) {
  std::string node(6, '\0');
  node += Utf16(key) + std::string(2, '\0');
  PadTo4(node);
  std::size_t valueLength = 0;
  if (!value.empty()) {
    node += text ? Utf16(value) + std::string(2, '\0') : std::string(value);
    valueLength = text ? value.size() + 1 : value.size();
    PadTo4(node);
  }
  node += children;
  PutWord(node, 0, node.size());
  PutWord(node, 2, valueLength);
  PutWord(node, 4, text ? 1 : 0);
  return node;
}

// A whole VS_VERSIONINFO in the UTF-16 layout with these strings in one English table. Its nodes
// are aligned as they are in a file when the block starts at a 4-byte boundary.
inline std::string WideVersionBlock(const VersionStrings& strings) {
  std::string fixed(52, '\0');
  fixed[0] = '\xBD';
  fixed[1] = '\x04';
  fixed[2] = '\xEF';
  fixed[3] = '\xFE';
  std::string table;
  for (const auto& [key, value] : strings) {
    table += WideNode(key, value, true);
    PadTo4(table);
  }
  const std::string stringInfo =
      WideNode("StringFileInfo", "", true, WideNode("040904B0", "", true, table));
  const std::string varInfo = WideNode(
      "VarFileInfo", "", true, WideNode("Translation", std::string("\x09\x04\xB0\x04", 4), false));
  std::string children = stringInfo;
  PadTo4(children);
  children += varInfo;
  return WideNode("VS_VERSION_INFO", fixed, false, children);
}

// The 8-bit layout of 16-bit files: length, value length, the key as 8-bit text with its zero,
// padding, the value with its zero, padding, the children.
inline std::string PlainNode(std::string_view key, std::string_view value,
                             std::string_view children = {}) {
  std::string node(4, '\0');
  node += std::string(key) + '\0';
  PadTo4(node);
  if (!value.empty()) {
    node += std::string(value) + '\0';
    PadTo4(node);
  }
  node += children;
  PutWord(node, 0, node.size());
  PutWord(node, 2, value.empty() ? 0 : value.size() + 1);
  return node;
}

inline std::string PlainVersionBlock(const VersionStrings& strings) {
  std::string table;
  for (const auto& [key, value] : strings) table += PlainNode(key, value);
  return PlainNode("VS_VERSION_INFO", std::string(52, '\x01'),
                   PlainNode("StringFileInfo", "", PlainNode("040904E4", "", table)));
}

// Program bytes around a version block: the block starts at a 4-byte boundary after `before`
// bytes of code-like filler and is followed by `after` more.
inline std::string FileAround(const std::string& block, std::size_t before = 4096,
                              std::size_t after = 1024) {
  std::string bytes;
  for (std::size_t i = 0; i < before; ++i) bytes += static_cast<char>("MZ\x90\x03\xE8\xFF"[i % 6]);
  PadTo4(bytes);
  bytes += block;
  bytes.append(after, '\xCC');
  return bytes;
}

}  // namespace scan_test
