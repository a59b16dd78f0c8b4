#include "scan/company_name.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "common/text.h"

namespace scan {
namespace {

using Position = std::optional<std::uint64_t>;

constexpr std::string_view kStringFileInfo = "StringFileInfo";
constexpr std::string_view kCompanyName = "CompanyName";
constexpr std::string_view kFileDescription = "FileDescription";

// Where a value starts after the key form that was found.
constexpr std::uint64_t kPlainValueOffset = 12;
constexpr std::uint64_t kWideValueOffset = 26;

// The text-type word of a version block's entry, then the key in UTF-16LE without its last zero.
std::string WideForm(std::string_view key) {
  std::string form(1, '\x01');
  for (char c : key) {
    form += '\0';
    form += c;
  }
  return form;
}

// Reads the file from an offset block by block and shows each block to visit together with the
// last `overlap` bytes of the one before, so that a key split between two reads is seen whole.
// visit gets the window and the file offset of its first byte and returns true once it has
// what it needs. False when the file could not be read.
bool ReadWindows(platform::FileReader& file, std::uint64_t from, std::size_t overlap,
                 const std::function<bool(std::string_view, std::uint64_t)>& visit) {
  std::string window;
  std::uint64_t windowStart = from;
  std::uint64_t next = from;
  for (;;) {
    auto block = file.ReadAt(next, kCompanyReadBlock);
    if (!block) return false;
    if (block->empty()) return true;
    next += block->size();
    if (window.size() > overlap) {
      windowStart += window.size() - overlap;
      window.erase(0, window.size() - overlap);
    }
    window += *block;
    if (visit(window, windowStart)) return true;
  }
}

// The first occurrence of key at or after the file offset from that lies within the window.
Position FindFrom(std::string_view window, std::uint64_t windowStart, std::string_view key,
                  std::uint64_t from) {
  const std::uint64_t offset = from > windowStart ? from - windowStart : 0;
  if (offset >= window.size()) return std::nullopt;
  const std::size_t at = window.find(key, static_cast<std::size_t>(offset));
  if (at == std::string_view::npos) return std::nullopt;
  return windowStart + at;
}

// Sets position to the first occurrence at or after from, unless it is known already.
void Track(Position& position, std::string_view window, std::uint64_t windowStart,
           std::string_view key, std::uint64_t from) {
  if (!position) position = FindFrom(window, windowStart, key, from);
}

// Where the company key is and which form it has.
struct CompanyKey {
  std::uint64_t position = 0;
  bool wide = false;
};

// Finds the company key in one pass. Every first occurrence the choice depends on is tracked
// at once, because which of them counts is known only at the end of the file, unless a wide
// "StringFileInfo" and a wide "CompanyName" after it turn up first: then the reading stops.
std::optional<CompanyKey> FindCompanyKey(platform::FileReader& file, bool* readable) {
  const std::string wideInfoForm = WideForm(kStringFileInfo);
  const std::string wideCompanyForm = WideForm(kCompanyName);
  Position wideInfo, wideCompanyAfterWideInfo;
  Position plainInfo, plainCompany, plainCompanyAfterInfo, wideCompany, wideCompanyAfterInfo;
  const std::size_t overlap =
      std::max({wideInfoForm.size(), wideCompanyForm.size(), kStringFileInfo.size()}) - 1;
  *readable = ReadWindows(file, 0, overlap, [&](std::string_view window, std::uint64_t start) {
    Track(wideInfo, window, start, wideInfoForm, 0);
    if (wideInfo) {
      Track(wideCompanyAfterWideInfo, window, start, wideCompanyForm, *wideInfo);
      return wideCompanyAfterWideInfo.has_value();
    }
    Track(plainInfo, window, start, kStringFileInfo, 0);
    Track(plainCompany, window, start, kCompanyName, 0);
    Track(wideCompany, window, start, wideCompanyForm, 0);
    if (plainInfo) {
      Track(plainCompanyAfterInfo, window, start, kCompanyName, *plainInfo);
      Track(wideCompanyAfterInfo, window, start, wideCompanyForm, *plainInfo);
    }
    return false;
  });
  if (wideInfo) {
    if (!wideCompanyAfterWideInfo) return std::nullopt;
    return CompanyKey{*wideCompanyAfterWideInfo, true};
  }
  // Without a wide "StringFileInfo" the search starts at the plain one, or at the first byte.
  const Position plain = plainInfo ? plainCompanyAfterInfo : plainCompany;
  if (plain) return CompanyKey{*plain, false};
  const Position wide = plainInfo ? wideCompanyAfterInfo : wideCompany;
  if (wide) return CompanyKey{*wide, true};
  return std::nullopt;
}

// The bytes from the value's start up to the next three zero bytes (or the end of the file),
// at most kMaxCompanyValue of them.
std::string CutValue(platform::FileReader& file, std::uint64_t start, bool* readable) {
  constexpr std::string_view kEnd("\0\0\0", 3);
  std::string cut;
  *readable = ReadWindows(file, start, 0, [&](std::string_view block, std::uint64_t) {
    const std::size_t searchFrom = cut.size() >= kEnd.size() - 1 ? cut.size() - 2 : 0;
    cut.append(block);
    const std::size_t end = cut.find(kEnd, searchFrom);
    if (end != std::string::npos && end <= kMaxCompanyValue) {
      cut.resize(end);
      return true;
    }
    if (cut.size() >= kMaxCompanyValue) {
      cut.resize(kMaxCompanyValue);
      return true;
    }
    return false;
  });
  return cut;
}

}  // namespace

std::string GetFileCompanyName(platform::Files& files, const std::string& path) {
  // Opened once for both searches: under Wine the open costs more than the reads of a small
  // file, and nearly every file found by a scan is read here.
  const std::unique_ptr<platform::FileReader> file = files.OpenReader(path);
  if (!file) return {};
  bool readable = false;
  const std::optional<CompanyKey> key = FindCompanyKey(*file, &readable);
  if (!readable || !key) return {};
  std::string value = CutValue(
      *file, key->position + (key->wide ? kWideValueOffset : kPlainValueOffset), &readable);
  if (!readable) return {};

  const std::string description =
      key->wide ? WideForm(kFileDescription) : std::string(kFileDescription);
  if (value.find(description) != std::string::npos) {
    // An empty company: the cut ran on into the next entry. It ends two bytes before the first
    // control character after the first byte, which for the UTF-16 form leaves nothing.
    const std::size_t last = std::min<std::size_t>(value.size() - 1, 255);
    for (std::size_t i = 1; i <= last; ++i) {
      if (static_cast<unsigned char>(value[i]) < 32) {
        value.resize(i - 1);
        break;
      }
    }
  }
  std::erase(value, '\0');
  return value;
}

bool IsSystemMaker(const std::string& company) {
  return common::EqualsNoCase(common::Trim(company), kSystemMaker);
}

}  // namespace scan
