#include "engine/support/SoundPlayer.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

using namespace EngineSupport;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

// Whether a sound is open under the alias, as MCI answers.
bool SoundIsOpen()
{
    char mode[256] = {};
    return mciSendStringA("status PlayMe mode", mode, sizeof mode, nullptr) == 0 && mode[0] != '\0';
}

void PutLittleEndian(std::string& bytes, DWORD value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A tenth of a second of 8-bit mono silence at 8 kHz.
std::string ShortWave()
{
    const DWORD samples = 800;
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + samples, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);
    PutLittleEndian(bytes, 1, 2);      // PCM
    PutLittleEndian(bytes, 1, 2);      // mono
    PutLittleEndian(bytes, 8000, 4);   // samples per second
    PutLittleEndian(bytes, 8000, 4);   // bytes per second
    PutLittleEndian(bytes, 1, 2);      // block alignment
    PutLittleEndian(bytes, 8, 2);      // bits per sample
    bytes += "data";
    PutLittleEndian(bytes, samples, 4);
    bytes.append(samples, static_cast<char>(0x80));
    return bytes;
}

class SoundPlayer : public testing::Test
{
protected:
    void TearDown() override { SoundPlay("", false); }

    TempFolder m_folder;
};

TEST_F(SoundPlayer, AnEmptyNameOnlyStops)
{
    EXPECT_TRUE(SoundPlay("", false));
    EXPECT_TRUE(SoundPlay(nullptr, true));
    EXPECT_FALSE(SoundIsOpen());
}

TEST_F(SoundPlayer, AMissingOrBrokenFileFailsAndLeavesNothingOpen)
{
    EXPECT_FALSE(SoundPlay((m_folder / "missing.wav").c_str(), true));
    EXPECT_FALSE(SoundIsOpen());

    const std::string broken = m_folder / "broken.wav";
    WriteFileBytes(broken, "not a sound at all");
    EXPECT_FALSE(SoundPlay(broken.c_str(), false));
    EXPECT_FALSE(SoundIsOpen());
}

TEST_F(SoundPlayer, TheNextCallClosesAnOpenSound)
{
    const std::string wave = m_folder / "open.wav";
    WriteFileBytes(wave, ShortWave());
    for (const char* next : {"", "missing.wav"}) {
        SCOPED_TRACE(next);
        // As a background sound that is still playing would be.
        const std::string open = "open \"" + wave + "\" alias PlayMe";
        ASSERT_EQ(mciSendStringA(open.c_str(), nullptr, 0, nullptr), 0u);
        ASSERT_TRUE(SoundIsOpen());
        SoundPlay(*next ? (m_folder / next).c_str() : "", false);
        EXPECT_FALSE(SoundIsOpen());
    }
}

TEST_F(SoundPlayer, PlaysToTheEndOrInTheBackgroundUntilStopped)
{
    const std::string wave = m_folder / "short.wav";
    WriteFileBytes(wave, ShortWave());

    // Without a sound device the file may not open; either way the call
    // returns soon and leaves nothing open.
    const DWORD start = GetTickCount();
    SoundPlay(wave.c_str(), true);
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_FALSE(SoundIsOpen());
    // A wait that is told to stop closes the sound too.
    SoundPlay(wave.c_str(), true, [] { return false; });
    EXPECT_FALSE(SoundIsOpen());

    if (SoundPlay(wave.c_str(), false)) {
        EXPECT_TRUE(SoundIsOpen());
    }
    EXPECT_TRUE(SoundPlay("", false));
    EXPECT_FALSE(SoundIsOpen());
}

}  // namespace
