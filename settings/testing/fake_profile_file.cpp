#include "settings/testing/fake_profile_file.h"

#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string Trim(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Whether a line is a section header "[name]", and its name.
bool SectionOf(const std::string& line, std::string& name) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return false;
  name = trimmed.substr(1, trimmed.size() - 2);
  return true;
}

// Whether a line is "key=value", and its trimmed key and value.
bool KeyOf(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(line.substr(0, equals));
  value = Trim(line.substr(equals + 1));
  return true;
}

}  // namespace

bool FakeProfileFile::Passes(const std::string& bytes) const {
  if (codePage_ == nullptr) return true;
  const std::optional<std::string> again = codePage_->FromText(codePage_->ToText(bytes));
  return again && *again == bytes;
}

std::string FakeProfileFile::ReadString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, size_t bufferSize,
                                        const std::string& path) {
  const auto file = files.find(path);
  if (file == files.end() || !Passes(section) || !Passes(key)) {
    return defaultValue.substr(0, bufferSize - 1);
  }
  bool inSection = false;
  for (const std::string& line : Lines(file->second)) {
    std::string name, value;
    if (SectionOf(line, name)) {
      inSection = SameName(name, section);
    } else if (inSection && KeyOf(line, name, value) && SameName(name, key)) {
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      return value.substr(0, bufferSize - 1);
    }
  }
  return defaultValue.substr(0, bufferSize - 1);
}

bool FakeProfileFile::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) {
  if (!Passes(value)) return false;
  return Change(section, key, value, path);
}

bool FakeProfileFile::RemoveKey(const std::string& section, const std::string& key,
                                const std::string& path) {
  return Change(section, key, std::nullopt, path);
}

bool FakeProfileFile::Change(const std::string& section, const std::string& key,
                             const std::optional<std::string>& value, const std::string& path) {
  if (unwritable.count(path) > 0 || !Passes(section) || !Passes(key)) return false;
  if (!value && files.count(path) == 0) return true;  // nothing to remove, no file made
  std::vector<std::string> lines = Lines(files[path]);

  // The section's lines are [begin, end): from after its header to the next header.
  std::optional<size_t> begin;
  size_t end = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (!SectionOf(lines[i], name)) continue;
    if (begin) {
      end = i;
      break;
    }
    if (SameName(name, section)) begin = i + 1;
  }

  std::optional<size_t> found;
  for (size_t i = begin.value_or(end); i < end && !found; ++i) {
    std::string name, existing;
    if (KeyOf(lines[i], name, existing) && SameName(name, key)) found = i;
  }

  if (!value) {
    if (found) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*found));
  } else if (!begin) {
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + *value);
  } else if (found) {
    lines[*found] = key + "=" + *value;
  } else {
    size_t at = end;
    while (at > *begin && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), key + "=" + *value);
  }

  std::string bytes;
  for (const std::string& line : lines) bytes += line + kLineEnd;
  files[path] = bytes;
  return true;
}
