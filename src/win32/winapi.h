// The Windows API for the front end's sources, included after their own
// headers. The macros that would rename the presenters' and the services'
// methods (DeleteFile, ShellExecute, ChooseColor) are dropped: the sources
// call the "W" functions by their full names.
#pragma once

#include "platform/win/windows_api.h"

#include <commctrl.h>
#include <commdlg.h>

#undef ChooseColor
#undef GetOpenFileName
