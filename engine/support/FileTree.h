// Copying, moving and deleting files and folder trees for the file and
// directory builtins. Paths are ANSI texts of at most MAX_PATH characters;
// relative paths are taken from the working folder. All report by result
// and show nothing.
#pragma once

#include "framework/String.h"

#include <windows.h>

namespace EngineSupport {

// Deletes the files matching `path` (a folder means all files in it; folders
// are not touched). Stops at the first file that cannot be deleted with
// false; otherwise true when at least one file was deleted.
bool DeleteFilesPattern(const char* path);

// Removes the folder `path`: without `recurse` only when it is empty, with
// it together with everything inside. A drive's root is never removed.
bool RemoveDirectoryTree(const char* path, bool recurse);

// Copies the contents of the folder `source` into `target`, which is
// created with its missing parents. An existing target is refused unless
// `overwrite`, which then also replaces files of the same name. A target
// inside the source is refused. True only when every file arrived.
bool CopyDirectoryTree(const char* source, const char* target, bool overwrite);

// Moves the folder `source` to `target`: on one drive by renaming, across
// drives by a copy that is checked to be complete before the source is
// removed, so a failed copy keeps the source whole. An existing target is
// refused unless `overwrite`, which merges the source's contents into it
// (replacing files of the same name) on one drive as across drives.
bool MoveDirectoryTree(const char* source, const char* target, bool overwrite);

// Copies (or moves) the files matching `sourcePattern` to `target`. A folder
// as source means all its files; a folder as target keeps the names; a
// target name with "*" is a template for each name (see BuildTargetName).
// An existing target file is replaced only with `overwrite`; a file is never
// copied or moved onto itself. The names are collected before the first
// copy, so copying into the source's own folder never picks up its own
// output. True when the pattern matched at least one entry and nothing
// failed; the first failure stops with false.
bool CopyOrMoveFiles(const char* sourcePattern, const char* target, bool overwrite, bool move);

// The target file name for the source file name `sourceName` (no folder):
// a `target` without "*" is used as it stands. Otherwise the first "*" of
// the target's name and of its extension stands for the source's name and
// extension, and further "*" are dropped; an extension that comes out
// empty is the source's. So "x.txt" to "C:\d\new*.txt" is "C:\d\newx.txt",
// and to "C:\d\*.bak" is "C:\d\x.bak".
CString BuildTargetName(const char* sourceName, const char* target);

// Which of a file's times SetFileTimes sets.
enum FileTimeType
{
    FileTimeLastWritten = 0,
    FileTimeCreated = 1,
    FileTimeLastAccessed = 2,
};

// Sets one time of the file or folder `path`. On Windows 9x, where folder
// times cannot be set, a folder is left alone and counts as done.
bool SetFileTimes(const char* path, const FILETIME& time, int type);

}  // namespace EngineSupport
