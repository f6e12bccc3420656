// The Windows API for the front end's sources, included after their own
// headers. The macros that would rename the presenters' and the services'
// methods (DeleteFile, ShellExecute, ChooseColor) are dropped: the sources
// call the "W" functions by their full names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#undef DeleteFile
#undef ShellExecute
#undef ChooseColor
#undef GetOpenFileName
