#include "host/win32/host_state.h"

#include <vector>

#include "contract/saver_contract.h"
#include "host/command_line.h"
#include "settings/win32/settings_system.h"

std::wstring ProgramFolder() {
  // The path may be longer than MAX_PATH: grow the buffer until the whole path fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      const std::wstring path(buffer.data(), length);
      const size_t slash = path.find_last_of(L"\\/");
      return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring RendererPath(const std::wstring& programFolder) {
  return programFolder + L"\\" + kRendererProgramName;
}

std::string HostArguments() { return std::string(ArgumentString(Utf8FromWide(GetCommandLineW()))); }

void EndHost() { ExitProcess(0); }
