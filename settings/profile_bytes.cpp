#include "settings/profile_bytes.h"

namespace {

constexpr char kNewLineEnd[] = "\r\n";

// One line of the file: its text without the line end, and the line end as it was ("" on a last
// line without one).
struct Line {
  std::string text;
  std::string end;
};

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  size_t at = 0;
  while (at < file.size()) {
    const size_t feed = file.find('\n', at);
    Line line;
    if (feed == std::string_view::npos) {
      line.text = std::string(file.substr(at));
      at = file.size();
    } else {
      line.text = std::string(file.substr(at, feed - at));
      line.end = "\n";
      at = feed + 1;
    }
    if (!line.end.empty() && !line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.end = kNewLineEnd;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string_view Trim(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool IsAscii(std::string_view text) {
  for (unsigned char byte : text) {
    if (byte >= 0x80) return false;
  }
  return true;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII names without regard to case; others byte for byte, since a byte of a double-byte
// character may look like an ASCII letter.
bool SameName(std::string_view stored, std::string_view wanted) {
  if (stored.size() != wanted.size()) return false;
  if (!IsAscii(stored) || !IsAscii(wanted)) return stored == wanted;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (LowerAscii(stored[i]) != LowerAscii(wanted[i])) return false;
  }
  return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
  return trimmed.substr(1, trimmed.size() - 2);
}

// The trimmed key of a "key=value" line.
std::optional<std::string_view> KeyName(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::string ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// The lines of `section`: from after its first header up to the next header.
struct SectionLines {
  std::optional<size_t> begin;
  size_t end = 0;
};

SectionLines FindSection(const std::vector<Line>& lines, std::string_view section) {
  SectionLines found;
  found.end = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::optional<std::string_view> name = SectionName(lines[i].text);
    if (!name) continue;
    if (found.begin) {
      found.end = i;
      break;
    }
    if (SameName(*name, section)) found.begin = i + 1;
  }
  return found;
}

std::optional<size_t> FindKey(const std::vector<Line>& lines, const SectionLines& section,
                              std::string_view key) {
  if (!section.begin) return std::nullopt;
  for (size_t i = *section.begin; i < section.end; ++i) {
    const std::optional<std::string_view> name = KeyName(lines[i].text);
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

// Puts a new line at `at`; the line before it gets a line end if it had none.
void InsertLine(std::vector<Line>& lines, size_t at, std::string text) {
  if (at > 0 && lines[at - 1].end.empty()) lines[at - 1].end = kNewLineEnd;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), kNewLineEnd});
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view file, std::string_view section,
                                            std::string_view key) {
  const std::vector<Line> lines = SplitLines(file);
  const std::optional<size_t> found = FindKey(lines, FindSection(lines, section), key);
  if (!found) return std::nullopt;
  return ValueOf(lines[*found].text);
}

std::string ChangeProfileValues(std::string_view file, std::string_view section,
                                const std::vector<ProfileChange>& changes) {
  std::vector<Line> lines = SplitLines(file);
  for (const auto& [key, value] : changes) {
    SectionLines found = FindSection(lines, section);
    const std::optional<size_t> line = FindKey(lines, found, key);
    if (!value) {
      if (line) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*line));
      continue;
    }
    const std::string text = key + "=" + *value;
    if (line) {
      lines[*line].text = text;
    } else if (found.begin) {
      size_t at = found.end;
      while (at > *found.begin && Trim(lines[at - 1].text).empty()) --at;
      InsertLine(lines, at, text);
    } else {
      InsertLine(lines, lines.size(), "[" + std::string(section) + "]");
      InsertLine(lines, lines.size(), text);
    }
  }
  std::string bytes;
  for (const Line& line : lines) bytes += line.text + line.end;
  return bytes;
}
