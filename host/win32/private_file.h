#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Files that only the user running the host can open, besides SYSTEM and the Administrators group
// (who can take any file anyway), and that are replaced whole or not at all.

// A security descriptor whose access list names exactly those three and inherits nothing from the
// folder, for creating such files.
class PrivateFileSecurity {
 public:
  PrivateFileSecurity();
  PrivateFileSecurity(const PrivateFileSecurity&) = delete;
  PrivateFileSecurity& operator=(const PrivateFileSecurity&) = delete;

  // nullptr when the descriptor could not be built (no access token, say).
  SECURITY_ATTRIBUTES* attributes() { return valid_ ? &attributes_ : nullptr; }

 private:
  std::vector<BYTE> userSid_;
  std::vector<BYTE> systemSid_;
  std::vector<BYTE> administratorsSid_;
  std::vector<BYTE> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
  bool valid_ = false;
};

// Writes `bytes` to a new private file beside `path` and moves it over `path`. When any step
// fails, `path` keeps what it held before and the new file is removed. True when `path` now holds
// `bytes`.
bool ReplaceWithPrivateFile(const std::wstring& path, const std::vector<uint8_t>& bytes,
                            PrivateFileSecurity& security);
