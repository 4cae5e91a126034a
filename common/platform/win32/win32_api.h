// The Windows headers as Vantrel's Win32 code includes them.
//
// <windows.h> maps names such as CreateDirectory or MessageBox to their
// ...A/...W forms with macros. Platform has members of those names, so the
// macros are removed here: Win32 code includes this header instead of
// <windows.h> and always calls the ...A functions by their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef ExpandEnvironmentStrings
#undef FindFirstFile
#undef FindNextFile
#undef GetCommandLine
#undef GetCurrentDirectory
#undef GetFileAttributes
#undef GetModuleFileName
#undef GetUserName
#undef MessageBox
#undef RegCreateKey
#undef RegDeleteKey
#undef RegDeleteValue
#undef RegEnumValue
#undef RegOpenKey
#undef RegQueryValue
#undef RegSetValue
#undef RemoveDirectory
#undef ReplaceFile
#undef ShellExecute
#undef ShellExecuteEx
