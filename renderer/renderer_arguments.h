#pragma once

#include <optional>
#include <string>
#include <vector>

// What the host asked of the renderer on its command line.
struct RendererArguments {
  // The folder to read the capture files from; none for the shared folder "c:\k_vusa".
  std::optional<std::wstring> captureFolder;
};

// Reads the arguments that follow the program's name, as the system splits them. Without the
// capture-folder switch they mean nothing to the renderer, as they always did: it reads the
// shared folder (the arguments of a program started by an unquoted path with blanks in it begin
// with the pieces of that path). With it, the switch must be followed by a full path ("X:\..." or
// "\\server\..."), the last argument, which is kept as given but for trailing separators; anything
// else with the switch is refused (std::nullopt), and the renderer then ends without showing
// anything rather than guess where its files are.
std::optional<RendererArguments> ParseRendererArguments(const std::vector<std::wstring>& arguments);
