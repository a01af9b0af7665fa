#pragma once

#include <windows.h>

#include <string>

#include "settings/settings_file.h"

// State the whole host shares: filled by the start-up, read by the saver window and the dialog.

// The display count the cursor-hiding call returned in saver mode; given back to the system when
// the host ends, which shows the cursor again.
extern int cursorHideCount;

// The program folder without trailing "\", and the renderer beside the host in it.
std::wstring ProgramFolder();
std::wstring RendererPath(const std::wstring& programFolder);

// The argument string of this process's command line (after the program name), UTF-8.
std::string HostArguments();

// Ends the host at once: the process terminates; no window handler runs afterwards.
[[noreturn]] void EndHost();
