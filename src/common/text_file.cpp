#include "common/text_file.h"

#include <utility>

namespace common {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

LineReader::LineReader(platform::Files& files, std::string path)
    : files_(files), path_(std::move(path)) {
  open_ = files_.FileSize(path_).has_value();
  atEnd_ = !open_;
}

bool LineReader::Fill() {
  if (atEnd_) return false;
  auto block = files_.ReadAt(path_, offset_, kBlockSize);
  if (!block || block->empty()) {
    atEnd_ = true;
    return false;
  }
  offset_ += block->size();
  buffer_.erase(0, position_);
  position_ = 0;
  buffer_ += *block;
  return true;
}

bool LineReader::ReadLine(std::string* line) {
  // Lines end in CR LF, LF or a lone CR: files written elsewhere use all three.
  for (;;) {
    const std::size_t end = buffer_.find_first_of("\r\n", position_);
    if (end != std::string::npos) {
      if (buffer_[end] == '\r' && end + 1 == buffer_.size() && Fill()) continue;
      std::size_t next = end + 1;
      if (buffer_[end] == '\r' && next < buffer_.size() && buffer_[next] == '\n') ++next;
      line->assign(buffer_, position_, end - position_);
      position_ = next;
      return true;
    }
    if (!Fill()) break;
  }
  if (position_ >= buffer_.size()) return false;
  // The last line has no ending.
  line->assign(buffer_, position_, buffer_.size() - position_);
  position_ = buffer_.size();
  return true;
}

std::optional<std::vector<std::string>> ReadLines(platform::Files& files, const std::string& path) {
  LineReader reader(files, path);
  if (!reader.IsOpen()) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(&line)) lines.push_back(line);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t lf = text.find('\n', from);
    const std::size_t next = lf == std::string::npos ? text.size() : lf + 1;
    std::size_t end = lf == std::string::npos ? text.size() : lf;
    if (end > from && text[end - 1] == '\r') --end;
    lines.push_back(text.substr(from, end - from));
    from = next;
  }
  return lines;
}

}  // namespace common
