// The system's text for a Win32 error code.
#pragma once

// FormatMessageA's text for `code` (-1: GetLastError()), in one static
// buffer that the next call overwrites; empty when the system has none.
const char* GetSystemErrorText(int code);
