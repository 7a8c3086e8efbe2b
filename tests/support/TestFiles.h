// Files and folders for tests: a throw-away folder inside the Wine prefix's
// temporary folder, byte-exact reading and writing, and the fixtures folder.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace testing_support {

// A new, empty folder, removed with everything in it when the object dies.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path without a trailing backslash.
    const std::string& Path() const { return m_path; }
    // The path of a file or folder inside it.
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

// A folder tree in text form: every file below `folder` as
// "relative\name=content", every folder as "relative\".
using TreeListing = std::set<std::string>;
TreeListing ListTree(const std::string& folder);
// Makes files given as "relative\name=content", with the folders on the way.
void MakeTree(const std::string& folder, const std::vector<std::string>& files);

// The Windows path of a file under tests/ in the source tree.
std::string SourcePath(const std::string& relative);

}  // namespace testing_support
