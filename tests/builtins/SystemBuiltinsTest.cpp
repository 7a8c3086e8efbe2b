// The system builtins: environment round trips, timers, memory figures, the
// administrator test, sound and the wave volume through stand-ins for the
// sound device, and downloads from a loopback HTTP server.
#include "tests/engine_support/LoopbackHttpServer.h"   // winsock2.h before windows.h

#include "engine/builtins/SoundSystem.h"
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace builtins_test;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;

namespace {

TEST(SystemBuiltins, EnvironmentRoundTrips)
{
    EXPECT_EQ(Call("ENVSET", {Text("KESTRUNE_TEST_VAR"), Text("a value")}).result.GetInt(), 1);
    char seen[64] = "";
    GetEnvironmentVariableA("KESTRUNE_TEST_VAR", seen, sizeof seen);
    EXPECT_STREQ(seen, "a value");
    EXPECT_EQ(Call("ENVGET", {Text("kestrune_test_var")}).Text(), "a value");

    const std::string longValue(20000, 'x');
    Call("ENVSET", {Text("KESTRUNE_TEST_VAR"), Text(longValue.c_str())});
    EXPECT_EQ(Call("ENVGET", {Text("KESTRUNE_TEST_VAR")}).Text(), longValue);

    Call("ENVSET", {Text("KESTRUNE_TEST_VAR")});
    EXPECT_EQ(GetEnvironmentVariableA("KESTRUNE_TEST_VAR", seen, sizeof seen), 0u);
    EXPECT_EQ(Call("ENVGET", {Text("KESTRUNE_TEST_VAR")}).Text(), "");
}

TEST(SystemBuiltins, TimersMemoryAndRights)
{
    Outcome start = Call("TIMERINIT");
    Sleep(20);
    const double elapsed = Call("TIMERDIFF", {start.result}).Number();
    EXPECT_GE(elapsed, 19.0);
    EXPECT_LT(elapsed, 10000.0);
    const double immediate = Call("TIMERSTOP", {Call("TIMERSTART").result}).Number();
    EXPECT_GE(immediate, 0.0);
    EXPECT_LT(immediate, 1000.0);

    Outcome memory = Call("MEMGETSTATS");
    ASSERT_TRUE(memory.result.IsArray());
    ASSERT_EQ(memory.result.DimensionSize(1), 7);
    std::vector<double> figures;
    for (int i = 0; i < 7; ++i) {
        memory.result.ClearSubscripts();
        memory.result.PushSubscript(i);
        figures.push_back(memory.result.Element()->GetNumber());
    }
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    EXPECT_LE(figures[0], 100);
    EXPECT_EQ(figures[1], static_cast<double>(status.ullTotalPhys / 1024));
    EXPECT_GT(figures[1], 0);
    EXPECT_LE(figures[2], figures[1]);
    EXPECT_LE(figures[4], figures[3]);
    EXPECT_LE(figures[6], figures[5]);

    const int admin = Call("ISADMIN").result.GetInt();
    EXPECT_TRUE(admin == 0 || admin == 1);
}

std::vector<std::string> g_sounds;
std::vector<DWORD> g_volumes;
bool FakePlay(const char* file, bool wait, const std::function<bool()>& goOn)
{
    // A wait asks whether the run goes on (it does).
    g_sounds.push_back(std::string(file) + (wait ? " (wait)" : "") + (wait && goOn() ? " asked" : ""));
    return true;
}
MMRESULT WINAPI FakeVolume(HWAVEOUT, DWORD volume)
{
    g_volumes.push_back(volume);
    return MMSYSERR_NOERROR;
}

TEST(SystemBuiltins, SoundAndWaveVolumeThroughTheDevice)
{
    const SoundSystemCalls saved = SoundSystem();
    SoundSystem() = {FakePlay, FakeVolume};
    Call("SOUNDPLAY", {Text("ding.wav")});
    Call("SOUNDPLAY", {Text("ding.wav"), Int(1)});
    Call("SOUNDPLAY", {Text(""), Int(2)});
    const int volumeErrors[] = {Call("SOUNDSETWAVEVOLUME", {Int(100)}).error,
                                Call("SOUNDSETWAVEVOLUME", {Int(50)}).error,
                                Call("SOUNDSETWAVEVOLUME", {Int(0)}).error,
                                Call("SOUNDSETWAVEVOLUME", {Int(-1)}).error,
                                Call("SOUNDSETWAVEVOLUME", {Int(101)}).error};
    SoundSystem() = saved;

    EXPECT_EQ(g_sounds, (std::vector<std::string>{"ding.wav", "ding.wav (wait) asked", ""}));
    EXPECT_EQ(g_volumes, (std::vector<DWORD>{0xFFFFFFFF, 0x7FFF7FFF, 0}));
    EXPECT_EQ(std::vector<int>(volumeErrors, volumeErrors + 5), (std::vector<int>{0, 0, 0, 1, 1}));
}

TEST(SystemBuiltins, UrlDownloadToFileFromALoopbackServer)
{
    TempFolder folder;
    support_test::LoopbackHttpServer server;
    support_test::LoopbackHttpServer::Response page;
    page.body = "downloaded body";
    server.Add("/page", page);
    support_test::LoopbackHttpServer::Response broken;
    broken.body = std::string(20000, 'b');
    broken.bytesSent = 5000;
    server.Add("/broken", broken);

    const std::string file = folder / "page.txt";
    EXPECT_EQ(Call("URLDOWNLOADTOFILE", {Text(server.Url("/page").c_str()), Text(file.c_str())}).result.GetInt(), 1);
    EXPECT_EQ(ReadFileBytes(file), "downloaded body");
    for (const char* path : {"/broken", "/missing"}) {
        const std::string failed = folder / "failed.txt";
        EXPECT_EQ(Call("URLDOWNLOADTOFILE", {Text(server.Url(path).c_str()), Text(failed.c_str())}).result.GetInt(), 0)
            << path;
        EXPECT_FALSE(FileExists(failed)) << path;
    }
}

}  // namespace
