#pragma once

// The Windows headers for the Win32 layer. Their ANSI/Unicode name macros would rename methods of
// the platform interfaces (Desktop::MessageBox, Desktop::ShellExecute, Files::CopyFile,
// Files::DeleteFile, Files::ReplaceFile) in any file that sees both, so every Win32 source includes Windows through
// this header, which removes those macros. Call the "A" functions by their full names.
#include <windows.h>
#include <shellapi.h>

#undef MessageBox
#undef ShellExecute
#undef CopyFile
#undef DeleteFile
#undef ReplaceFile
