// Reading a registry text and a file's version number.
#pragma once

#include "framework/String.h"

#include <windows.h>

namespace EngineSupport {

// Reads the text value `valueName` of root\subKey into `buffer` (of
// `bufferSize` bytes), always terminated. On failure (no such key or value,
// not a text, longer than the buffer) the buffer holds the empty text and
// the result is false.
bool ReadRegistryString(HKEY root, const char* subKey, const char* valueName, char* buffer, DWORD bufferSize);

// The file version of `file`'s version resource as "major.minor.build.
// revision". False, with `version` unchanged, when the file has none.
bool GetFileVersionString(const char* file, CString& version);

}  // namespace EngineSupport
