// Archives over memory files: values come back as written, and data that
// ends too soon is reported, not read past.
#include "framework/Framework.h"

#include <gtest/gtest.h>

namespace {

TEST(CArchive, ValuesComeBackAsWritten)
{
    CMemFile file;
    {
        CArchive out(&file, CArchive::store);
        out << 3 << -50 << static_cast<UINT>(4000000000u) << static_cast<BYTE>(7) << static_cast<WORD>(65535);
    }
    EXPECT_EQ(file.GetLength(), 4u * 3 + 1 + 2);
    EXPECT_EQ(file.GetData()[0], 3) << "little-endian";
    file.SeekToBegin();
    CArchive in(&file, CArchive::load);
    int count = 0, width = 0;
    UINT big = 0;
    BYTE byte = 0;
    WORD word = 0;
    in >> count >> width >> big >> byte >> word;
    EXPECT_EQ(count, 3);
    EXPECT_EQ(width, -50);
    EXPECT_EQ(big, 4000000000u);
    EXPECT_EQ(byte, 7);
    EXPECT_EQ(word, 65535);
}

TEST(CArchive, DataThatEndsTooSoonThrows)
{
    BYTE data[6] = { 2, 0, 0, 0, 9, 0 };
    CMemFile file(data, sizeof data);
    CArchive in(&file, CArchive::load);
    int value = 0;
    in >> value;
    EXPECT_EQ(value, 2);
    try {
        in >> value;
        FAIL() << "read past the end";
    } catch (CArchiveException* error) {
        EXPECT_EQ(error->m_cause, CArchiveException::endOfFile);
        error->Delete();
    }
}

TEST(CMemFile, AFixedBufferIsWrittenInPlaceAndNeverPastItsEnd)
{
    BYTE data[4] = {};
    CMemFile file(data, sizeof data);
    file.Write("ab", 2);
    EXPECT_EQ(data[0], 'a');
    file.Seek(3, CFile::begin);
    try {
        file.Write("xy", 2);
        FAIL() << "wrote past the buffer";
    } catch (CFileException* error) {
        error->Delete();
    }
    EXPECT_EQ(data[3], 0);
}

}  // namespace
