#include "host/win32/private_file.h"

#include <algorithm>

namespace {

// The name of the new file while it is written: the final name with this appended, in the same
// folder, so that moving it over the old file never copies.
constexpr wchar_t kWritingSuffix[] = L".new";
// Large writes go in pieces no larger than this.
constexpr size_t kWriteChunk = size_t{1} << 24;

std::vector<BYTE> WellKnownSid(WELL_KNOWN_SID_TYPE type) {
  std::vector<BYTE> sid(SECURITY_MAX_SID_SIZE);
  DWORD size = static_cast<DWORD>(sid.size());
  if (!CreateWellKnownSid(type, nullptr, sid.data(), &size)) return {};
  sid.resize(size);
  return sid;
}

// The user of the process's access token.
std::vector<BYTE> TokenUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  std::vector<BYTE> sid;
  if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
    PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    if (IsValidSid(user)) {
      const BYTE* bytes = static_cast<const BYTE*>(user);
      sid.assign(bytes, bytes + GetLengthSid(user));
    }
  }
  CloseHandle(token);
  return sid;
}

bool WriteAll(HANDLE file, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kWriteChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

PrivateFileSecurity::PrivateFileSecurity()
    : userSid_(TokenUserSid()),
      systemSid_(WellKnownSid(WinLocalSystemSid)),
      administratorsSid_(WellKnownSid(WinBuiltinAdministratorsSid)) {
  if (userSid_.empty() || systemSid_.empty() || administratorsSid_.empty()) return;
  const std::vector<BYTE>* sids[] = {&userSid_, &systemSid_, &administratorsSid_};
  DWORD aclSize = sizeof(ACL);
  for (const std::vector<BYTE>* sid : sids) {
    aclSize += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + static_cast<DWORD>(sid->size());
  }
  acl_.resize(aclSize);
  PACL acl = reinterpret_cast<PACL>(acl_.data());
  if (!InitializeAcl(acl, aclSize, ACL_REVISION)) return;
  for (const std::vector<BYTE>* sid : sids) {
    if (!AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, const_cast<BYTE*>(sid->data()))) {
      return;
    }
  }
  // Protected: the folder's inheritable entries (read for every user, on a folder made with the
  // defaults of drive C) are not added to the file's.
  if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) ||
      !SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
    return;
  }
  attributes_.nLength = sizeof attributes_;
  attributes_.lpSecurityDescriptor = &descriptor_;
  attributes_.bInheritHandle = FALSE;
  valid_ = true;
}

bool ReplaceWithPrivateFile(const std::wstring& path, const std::vector<uint8_t>& bytes,
                            PrivateFileSecurity& security) {
  SECURITY_ATTRIBUTES* attributes = security.attributes();
  if (attributes == nullptr) return false;
  const std::wstring writing = path + kWritingSuffix;
  // A file left by a run that ended while writing goes first: only a file made now carries the
  // private access list, since creating over an existing file keeps that file's own.
  DeleteFileW(writing.c_str());
  HANDLE file = CreateFileW(writing.c_str(), GENERIC_WRITE, 0, attributes, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes);
  const bool closed = CloseHandle(file) != FALSE;
  if (written && closed && MoveFileExW(writing.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return true;
  }
  DeleteFileW(writing.c_str());
  return false;
}
