#include "host/renderer_command.h"

#include "contract/saver_contract.h"

std::wstring QuotedArgument(std::wstring_view argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
    } else {
      // Backslashes stand for themselves unless a quote follows them.
      if (c == L'"') quoted.append(backslashes + 1, L'\\');
      backslashes = 0;
    }
    quoted += c;
  }
  quoted.append(backslashes, L'\\');
  quoted += L'"';
  return quoted;
}

std::wstring RendererCommandLine(const std::wstring& rendererPath,
                                 const std::optional<std::wstring>& captureFolder) {
  // The program's own name is read up to its closing quote without escapes, and a path holds no
  // quote.
  std::wstring commandLine = L"\"" + rendererPath + L"\"";
  if (captureFolder) {
    commandLine +=
        std::wstring(L" ") + kCaptureFolderSwitch + L" " + QuotedArgument(*captureFolder);
  }
  return commandLine;
}
