// Path tests and conversions behind the file and directory builtins. Paths
// are ANSI texts of at most MAX_PATH (260) characters.
#pragma once

#include "framework/String.h"

namespace EngineSupport {

// A path holding "*" or "?" exists when it matches anything; any other path
// when it names a file or a folder.
bool FileExistsPattern(const char* path);

bool IsDirectory(const char* path);

// The full path of `path` without a trailing backslash; a drive's root keeps
// its backslash ("C:\"), since "C:" names the drive's current folder. False,
// with an empty `full`, when the path cannot be made full within MAX_PATH.
bool GetFullPathNoSlash(const char* path, CString& full);

// Removes one trailing backslash from a non-empty text.
void StripTrailingBackslash(char* text);
void StripTrailingBackslash(CString& text);

// `folder` and `name` joined by exactly one backslash.
CString JoinPath(const CString& folder, const char* name);

// The long form of `path` (no 8.3 components), as the shell knows it. On any
// failure `longPath` is `path` itself and the result is false.
bool GetLongPath(const char* path, CString& longPath);

// Whether the two paths lie on different drives. Paths without a drive
// letter (network paths) count as different.
bool IsDifferentVolume(const char* a, const char* b);

// Whether two paths name one and the same existing file: the same full path
// without regard to case, or the same file reached by another name (a short
// name, another drive mapped onto the same folder).
bool IsSameFile(const char* a, const char* b);

}  // namespace EngineSupport
