#include "settings/testing/fake_file_system.h"

bool FakeFileSystem::IsReadableFile(const std::string& path) {
  asked.push_back(path);
  return readable.count(path) > 0 || profile_.files.count(path) > 0;
}

bool FakeFileSystem::CreateFolder(const std::string& path) {
  if (uncreatable.count(path) > 0) return false;
  folders.insert(path);
  return true;
}

std::optional<std::string> FakeFileSystem::ReadBytes(const std::string& path) {
  const auto file = profile_.files.find(path);
  return file != profile_.files.end() ? file->second : std::string();
}

bool FakeFileSystem::ReplaceWithBytes(const std::string& path, const std::string& bytes) {
  if (profile_.unwritable.count(path) > 0) return false;
  profile_.files[path] = bytes;
  return true;
}
