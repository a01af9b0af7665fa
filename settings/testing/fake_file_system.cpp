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
