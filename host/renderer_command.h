#pragma once

#include <optional>
#include <string>
#include <string_view>

// The command line the host starts the renderer with: the renderer's quoted path alone when it
// reads the shared capture folder, as it always was; followed by the capture-folder switch and
// the folder when the run's files are in a folder of its own.
std::wstring RendererCommandLine(const std::wstring& rendererPath,
                                 const std::optional<std::wstring>& captureFolder);

// One argument quoted so that the system's split of a command line into arguments
// (CommandLineToArgvW, the C runtime's argv) gives it back exactly: in quotes, with the
// backslashes before a quote, its own or the closing one, doubled and its own quotes escaped.
std::wstring QuotedArgument(std::wstring_view argument);
