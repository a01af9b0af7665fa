#include "renderer/renderer_arguments.h"

#include <algorithm>

#include "contract/saver_contract.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "C:\..." or "\\server\...": a path that does not depend on the renderer's current folder or
// drive.
bool IsFullPath(const std::wstring& path) {
  if (path.size() < 3) return false;
  const bool drive = IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
  const bool network = IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
  return drive || network;
}

}  // namespace

std::optional<RendererArguments> ParseRendererArguments(
    const std::vector<std::wstring>& arguments) {
  const auto found = std::find(arguments.begin(), arguments.end(), kCaptureFolderSwitch);
  if (found == arguments.end()) return RendererArguments{};
  if (arguments.end() - found != 2 || !IsFullPath(found[1])) return std::nullopt;
  std::wstring folder = found[1];
  // The file names are joined on with a backslash of their own.
  while (folder.size() > 3 && IsSeparator(folder.back())) folder.pop_back();
  return RendererArguments{folder};
}
