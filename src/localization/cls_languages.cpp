#include "localization/cls_languages.h"

#include <string_view>
#include <utility>

#include "common/file_tests.h"
#include "common/text.h"
#include "common/text_file.h"
#include "localization/language_file.h"

namespace localization {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The text between the first open tag and the first close tag after it (tags found in any
// letter case); "" when either is missing.
std::string Between(std::string_view text, std::string_view open, std::string_view close) {
  const std::size_t start = common::FindNoCase(text, open);
  if (start == std::string_view::npos) return {};
  const std::size_t from = start + open.size();
  const std::size_t end = common::FindNoCase(text, close, from);
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(from, end - from));
}

// The language groups of the file's text, each from "<LANGUAGE_GROUP" up to its closing tag.
std::vector<std::string_view> LanguageGroups(std::string_view text) {
  constexpr std::string_view kGroupOpen = "<LANGUAGE_GROUP";
  constexpr std::string_view kGroupClose = "</LANGUAGE_GROUP>";
  std::vector<std::string_view> groups;
  std::size_t position = 0;
  for (;;) {
    const std::size_t start = common::FindNoCase(text, kGroupOpen, position);
    if (start == std::string_view::npos) break;
    // A group that is never closed (a cut-off file) runs to the end of the text; searching
    // again from its start would find it for ever.
    const std::size_t end = common::FindNoCase(text, kGroupClose, start);
    groups.push_back(
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    position = end == std::string_view::npos ? text.size() : end + kGroupClose.size();
  }
  return groups;
}

}  // namespace

clsLanguages::clsLanguages(platform::Machine& machine) : machine_(machine) {}

void clsLanguages::SetBranding(std::string programName, std::string companyName,
                               std::string website) {
  programName_ = std::move(programName);
  companyName_ = std::move(companyName);
  website_ = std::move(website);
}

void clsLanguages::setMessage(const std::string& name, const std::string& message) {
  for (MessageSlot& slot : messageTable_) {
    if (slot.inUse) continue;
    slot.name = name;
    slot.message = message;
    slot.inUse = true;
    return;
  }
}

std::string clsLanguages::getMessages(const std::string& name) const {
  // Slots are filled from the first one up, so the first unused slot ends the search.
  for (const MessageSlot& slot : messageTable_) {
    if (!slot.inUse) break;
    if (common::EqualsNoCase(slot.name, name)) return common::UpperFirst(slot.message);
  }
  return {};
}

void clsLanguages::ReplaceMessage(int slot, std::string message) {
  if (slot < 0 || slot >= kMessageTableSize || !messageTable_[slot].inUse) return;
  messageTable_[slot].message = std::move(message);
}

std::string clsLanguages::LanguageFilePath() const {
  return common::JoinPath(machine_.system.ProgramFolder(), kLanguageFileName);
}

std::optional<std::string> clsLanguages::ReadLanguageFile() {
  const std::string path = LanguageFilePath();
  if (!LangFileExists(path)) return std::nullopt;
  auto bytes = machine_.files.ReadAll(path);
  if (!bytes) return std::nullopt;
  if (bytes->compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) == 0) {
    bytes->erase(0, kUtf8ByteOrderMark.size());
  }
  return machine_.codePage.FromUtf8(*bytes);
}

void clsLanguages::LoadLanguage(const std::string& languageName) {
  loadedLanguage_ = languageName;
  const auto text = ReadLanguageFile();
  if (!text) return;
  translationItems_.clear();
  for (const std::string_view group : LanguageGroups(*text)) {
    const std::string name = Between(group, "<LANGUAGE_NAME>", "</LANGUAGE_NAME>");
    if (!common::EqualsNoCase(name, loadedLanguage_)) continue;
    // Files written elsewhere may end their lines in LF alone.
    translationItems_ =
        common::SplitLines(Between(group, "<TRANSLATION_ITEMS>", "</TRANSLATION_ITEMS>"));
    break;
  }
}

std::vector<std::string> clsLanguages::LanguageNames() {
  std::vector<std::string> names;
  const auto text = ReadLanguageFile();
  if (!text) return names;
  for (const std::string_view group : LanguageGroups(*text)) {
    names.push_back(Between(group, "<LANGUAGE_NAME>", "</LANGUAGE_NAME>"));
  }
  return names;
}

std::string clsLanguages::TranslateKey(const std::string& key) const {
  std::string text;
  for (const std::string& line : translationItems_) {
    if (line.empty()) continue;
    const std::string_view firstPiece = std::string_view(line).substr(0, line.find('>'));
    if (firstPiece.size() <= 2) continue;
    // The key is the first piece after its "<", so the leading tabs fall away.
    const std::size_t open = firstPiece.find('<');
    const std::string_view itemKey =
        open == std::string_view::npos ? firstPiece : firstPiece.substr(open + 1);
    if (!common::EqualsNoCase(itemKey, key)) continue;
    text = Between(line, "<" + key + ">", "</" + key + ">");
    break;
  }
  text = common::ReplaceAllNoCase(text, "[ProgramName]", programName_);
  text = common::ReplaceAllNoCase(text, "[CompanyName]", companyName_);
  text = common::ReplaceAllNoCase(text, "[Website]", website_);
  return common::UpperFirst(std::move(text));
}

bool clsLanguages::LangFileExists(const std::string& path) {
  const auto found =
      machine_.files.FindFirstMatch(path, platform::kAttrHidden | platform::kAttrSystem);
  return found.has_value() && common::EqualsNoCase(*found, LangTrimPath(path));
}

std::string clsLanguages::LangTrimPath(const std::string& path) {
  return common::GetFileName(path);
}

bool clsLanguages::makeLocalizationFile(const std::vector<ui::Form*>& loadedWindows) {
  std::vector<std::string> lines = LanguageFileHeader();
  for (const ui::Form* window : loadedWindows) {
    for (const TranslationItem& item : WindowTranslationItems(*window)) {
      lines.push_back(ItemLine(item));
    }
  }
  for (const MessageSlot& slot : messageTable_) {
    if (!slot.inUse) break;
    lines.push_back(ItemLine({common::UpperCase(slot.name), slot.message}));
  }
  for (std::string& line : LanguageFileFooter()) lines.push_back(std::move(line));

  const std::string path = LanguageFilePath();
  machine_.files.DeleteFile(path);
  // The file is read back as UTF-8, so texts beyond ASCII are written in it too, not in the
  // ANSI code page they are kept in.
  return static_cast<bool>(
      machine_.files.WriteAll(path, machine_.codePage.ToUtf8(common::JoinLines(lines))));
}

}  // namespace localization
