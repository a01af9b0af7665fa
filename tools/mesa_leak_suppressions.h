#pragma once

// Mesa keeps per-context and per-thread allocations alive past the end of the program. In the
// sanitizer build the leak checker would report them and fail the tool; these are the same
// suppressions the unit tests run with (tests/lsan.supp). Without the leak checker nothing
// calls these.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libOSMesa.so\n"
         "leak:libGLU.so\n"
         "leak:libgallium\n";
}
