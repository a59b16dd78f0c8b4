// The cookie stage: Internet Explorer's per-site cookie files against BlockedCookies.dat.
#include "scan/cookie_scan.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "definitions/definition_files.h"
#include "definitions/exclusions.h"
#include "definitions/line_codec.h"
#include "scan/stages.h"

namespace scan {

namespace {

constexpr const char* kLineBreak = "\r\n";

// Reads a text as input fields the way a sequential-file Input statement does: blanks and tabs
// before a field are skipped; a field in double quotes runs to the closing quote (commas and
// all) and the rest up to the next comma or line end is dropped; any other field runs to the
// next comma or line end. CR, LF and CR LF each end a line.
class InputFields {
 public:
  explicit InputFields(const std::string& text) : text_(text) {}

  std::optional<std::string> Next() {
    if (at_ >= text_.size()) return std::nullopt;
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
    std::string field;
    if (at_ < text_.size() && text_[at_] == '"') {
      const std::size_t close = text_.find('"', at_ + 1);
      const std::size_t end = close == std::string::npos ? text_.size() : close;
      field = text_.substr(at_ + 1, end - at_ - 1);
      at_ = close == std::string::npos ? text_.size() : close + 1;
      SkipToSeparator();
    } else {
      const std::size_t end = SeparatorFrom(at_);
      field = text_.substr(at_, end - at_);
      at_ = end;
    }
    SkipSeparator();
    return field;
  }

 private:
  std::size_t SeparatorFrom(std::size_t from) const {
    const std::size_t end = text_.find_first_of(",\r\n", from);
    return end == std::string::npos ? text_.size() : end;
  }
  void SkipToSeparator() { at_ = SeparatorFrom(at_); }
  void SkipSeparator() {
    if (at_ >= text_.size()) return;
    if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') {
      at_ += 2;
    } else {
      ++at_;
    }
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

// The blocked-cookie list: the decoded lines of BlockedCookies.dat, each followed by "|", split
// at "|" (so the last element is empty). Empty without the file. Like every stage's reading of
// its definitions, it ends at a stop request (the stage then ends at its first file).
std::vector<std::string> LoadBlockedCookies(ScanContext& context) {
  platform::Files& files = context.machine.files;
  const std::string path =
      definitions::DataFilePath(context.dataFolder, definitions::kBlockedCookiesFile);
  if (!common::FileExists(files, path)) return {};
  std::string joined;
  common::LineReader reader(files, path);
  std::string line;
  while (reader.ReadLine(&line)) {
    if (context.stopRequested()) break;
    joined += definitions::DecodeDefinitionLine(line) + "|";
    context.yield();
  }
  return common::Split(joined, "|");
}

// The files of the folder, in the order the system lists them.
std::vector<std::string> FolderFiles(platform::Files& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& name : files.ListFolder(folder)) {
    const std::optional<std::uint32_t> attributes =
        files.GetAttributes(common::JoinPath(folder, name));
    if (attributes && (*attributes & platform::kAttrDirectory) == 0) names.push_back(name);
  }
  return names;
}

}  // namespace

std::string GetShellFolderPath(platform::ShellFolders& shellFolders, int csidl) {
  const std::optional<std::string> path = shellFolders.SpecialFolderPath(csidl);
  if (!path) return {};
  return path->substr(0, std::min<std::size_t>(path->find('\0'), 255));
}

std::string GetCookieFileDomain(const std::string& path) {
  const std::string name = common::GetFileName(path);
  const std::size_t at = name.find('@');
  if (name.empty() || at == std::string::npos) return {};
  const std::string site = name.substr(at + 1);
  std::size_t end = site.find('(');
  if (end == std::string::npos) end = site.find('[');
  if (end == std::string::npos) end = site.rfind('.');
  return site.substr(0, end);
}

std::string GetCookieHost(platform::Files& files, const std::string& path,
                          const std::function<void()>& yield) {
  const std::string domain = GetCookieFileDomain(path);
  if (domain.empty() || !common::FileExists(files, path)) return kNoCookieHost;
  const std::optional<std::string> text = files.ReadAll(path);
  if (!text) return kNoCookieHost;
  InputFields fields(*text);
  while (const std::optional<std::string> field = fields.Next()) {
    if (yield) yield();
    const std::size_t at = field->find(domain);
    if (at == std::string::npos) continue;
    const std::size_t slash = field->find('/', at + domain.size());
    if (slash == std::string::npos) continue;
    return field->substr(at, slash - at);
  }
  return kNoCookieHost;
}

std::string ReduceCookieHost(const std::string& host) {
  std::string reduced = host;
  const std::size_t dot = reduced.rfind('.');
  if (dot != std::string::npos) reduced.resize(dot);
  if (common::StartsWithNoCase(reduced, "www.")) reduced.erase(0, 4);
  return reduced;
}

bool IsBlockedCookie(const std::vector<std::string>& blocked, const std::string& host) {
  // An empty host would be contained in every entry, the empty last one included.
  if (host.empty()) return false;
  for (const std::string& entry : blocked) {
    if (entry.find(host) == std::string::npos) continue;
    std::string pattern = entry;
    const std::size_t dot = pattern.rfind('.');
    if (dot != std::string::npos) pattern.resize(dot);
    const std::size_t star = pattern.find('*');
    if (star != std::string::npos) pattern.erase(star, 1);
    if (common::EqualsNoCase(pattern, host)) return true;
  }
  return false;
}

void ScanCookieFolder(ScanContext& context, const std::string& folder) {
  platform::Files& files = context.machine.files;
  if (!common::FolderExists(files, folder)) return;
  const std::vector<std::string> blocked = LoadBlockedCookies(context);
  // The list's last element is the empty one after the last "|".
  const double entries = blocked.empty() ? 0.0 : static_cast<double>(blocked.size() - 1);
  const std::vector<std::string> names = FolderFiles(files, folder);
  const int fileCount = static_cast<int>(names.size());

  for (int position = 1; position <= fileCount; ++position) {
    if (context.stopRequested()) return;
    const std::string& name = names[position - 1];
    const std::string path = common::JoinPath(folder, name);
    const std::string caption = context.statusPrefix + kLineBreak + name;
    const int filesPercent = Percent(position, fileCount);
    context.progress(caption, filesPercent, -1);

    const std::string host = GetCookieHost(files, path, context.yield);
    // "False" is the answer for no host at all, not a host to look up.
    const bool matched = host != kNoCookieHost && IsBlockedCookie(blocked, ReduceCookieHost(host));

    // The counter reaches the number of blocked entries at the folder's last file.
    context.counters.cookiesAndProcessesInspected =
        static_cast<std::int32_t>(std::nearbyint(entries / fileCount * position));
    context.progress(caption, filesPercent, -1);

    if (matched) {
      if (context.exclusions.IsExcluded(path)) {
        context.results.AddExcludedRow(path);
      } else {
        context.results.AddNotice("Cookie Found: " + name, kIconCookie);
        // A shield run (the scan button enabled again) reports without queueing anything.
        if (!context.userScan()) return;
        context.results.AddCookieRow(path, "");
        context.results.AddDetailsRow("Cookie: " + name, path, "Tracking Cookie", kIconCookie);
        ++context.counters.threatsFound;
      }
    }
    context.yield();
  }
}

void ScanCookies(ScanContext& context) {
  const std::string folder =
      GetShellFolderPath(context.machine.shellFolders, platform::kCsidlCookies);
  if (common::Trim(folder).empty()) return;
  ScanCookieFolder(context, folder);
}

}  // namespace scan
