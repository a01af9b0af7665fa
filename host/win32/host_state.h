#pragma once

#include <windows.h>

#include <string>

// What every part of the host asks of its process: where it lives, how it was started, and how
// it ends.

// The program folder without trailing "\", and the renderer beside the host in it.
std::wstring ProgramFolder();
std::wstring RendererPath(const std::wstring& programFolder);

// The argument string of this process's command line (after the program name), UTF-8.
std::string HostArguments();

// Ends the host at once: the process terminates; no window handler runs afterwards.
[[noreturn]] void EndHost();
