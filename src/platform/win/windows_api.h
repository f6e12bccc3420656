// The Windows API for the services' sources, included after their own
// headers. The macros that would rename the services' methods (DeleteFile,
// ShellExecute) are dropped: the sources call the "A" and "W" functions by
// their full names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#undef DeleteFile
#undef ShellExecute
