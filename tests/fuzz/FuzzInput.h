// The fuzz driver's inputs: macro files made by mutating the files of a
// seed corpus. Input number n of a seed is always the same file, so any
// finding can be made again from its seed and number alone.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace fuzz {

// A small, fast generator whose sequence is fixed by its seed on every
// platform and compiler.
class Random
{
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint64_t Next();
    // A number from 0 to n - 1 (0 when n is 0).
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
    bool OneIn(size_t n) { return Below(n) == 0; }
    // A length that is mostly small, sometimes large: 1 to about `largest`.
    size_t Length(size_t largest);

private:
    uint64_t m_state;
};

// The seed files: each a whole macro file as bytes. Plain scripts (such as
// the language benchmark's programs) are given a "[General]" block.
struct Corpus
{
    std::vector<std::string> Files;
    std::vector<std::string> Names;
};

// Adds every *.txt file of `folder` (a Windows path). The number of files added.
size_t AddCorpusFolder(Corpus& corpus, const std::string& folder);

// Turns plain script text into a macro file with a "[General]" block.
std::string AsMacroFile(const std::string& name, const std::string& script);

// Input `number` of the run with `seed`: a corpus file (now and then two
// spliced) with one to several mutations at byte, token and line level.
std::string MakeInput(const Corpus& corpus, uint64_t seed, uint64_t number);

}  // namespace fuzz
