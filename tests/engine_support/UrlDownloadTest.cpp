#include "engine/support/UrlDownload.h"

#include "tests/engine_support/LoopbackHttpServer.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace EngineSupport;
using support_test::LoopbackHttpServer;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

// Larger than the download's read buffer, so the body comes in many reads.
std::string PatternBody(size_t size)
{
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>(i * 7 + i / 251);
    return body;
}

class UrlDownload : public testing::Test
{
protected:
    UrlDownload() : m_body(PatternBody(100000))
    {
        LoopbackHttpServer::Response full;
        full.body = m_body;
        m_server.Add("/full", full);

        LoopbackHttpServer::Response empty;
        m_server.Add("/empty", empty);

        LoopbackHttpServer::Response dropped;
        dropped.body = m_body;
        dropped.bytesSent = 30000;
        m_server.Add("/dropped", dropped);

        LoopbackHttpServer::Response reset = dropped;
        reset.reset = true;
        m_server.Add("/reset", reset);

        LoopbackHttpServer::Response serverError;
        serverError.status = 500;
        serverError.body = "broken";
        m_server.Add("/error", serverError);
    }

    const std::string m_body;
    LoopbackHttpServer m_server;
    TempFolder m_folder;
};

TEST_F(UrlDownload, SavesTheWholeBody)
{
    const std::string file = m_folder / "full.bin";
    bool missing = true;
    EXPECT_TRUE(DownloadUrlToFile(m_server.Url("/full").c_str(), file.c_str(), missing));
    EXPECT_FALSE(missing);
    EXPECT_EQ(ReadFileBytes(file), m_body);

    EXPECT_TRUE(DownloadUrlToFile(m_server.Url("/empty").c_str(), (m_folder / "empty.bin").c_str(), missing));
    EXPECT_EQ(ReadFileBytes(m_folder / "empty.bin"), "");
}

TEST_F(UrlDownload, FailsWithoutLeavingAFile)
{
    struct Case
    {
        const char* path;
        const char* why;
    } cases[] = {
        {"/missing", "status 404"},
        {"/error", "status 500"},
        {"/dropped", "the connection closes before the announced length"},
        {"/reset", "the connection is reset halfway"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string file = m_folder / "download.bin";
        bool missing = true;
        EXPECT_FALSE(DownloadUrlToFile(m_server.Url(c.path).c_str(), file.c_str(), missing));
        EXPECT_FALSE(missing);
        EXPECT_FALSE(FileExists(file));
    }
}

TEST_F(UrlDownload, AStoppedTransferFailsWithoutLeavingAFile)
{
    const std::string file = m_folder / "stopped.bin";
    bool missing = true;
    int asked = 0;
    EXPECT_FALSE(DownloadUrlToFile(m_server.Url("/full").c_str(), file.c_str(), missing, [&] { return ++asked < 3; }));
    EXPECT_EQ(asked, 3);   // between the reads
    EXPECT_FALSE(FileExists(file));
}

TEST_F(UrlDownload, AnErrorPageKeepsAnExistingFile)
{
    const std::string file = m_folder / "kept.txt";
    WriteFileBytes(file, "previous download");
    bool missing = false;
    EXPECT_FALSE(DownloadUrlToFile(m_server.Url("/missing").c_str(), file.c_str(), missing));
    EXPECT_EQ(ReadFileBytes(file), "previous download");
}

TEST_F(UrlDownload, FailsWhenNothingListensOrTheFileCannotBeWritten)
{
    // A port that was just free: nothing answers there.
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    const std::string deadUrl = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/full";

    bool missing = true;
    EXPECT_FALSE(DownloadUrlToFile(deadUrl.c_str(), (m_folder / "dead.bin").c_str(), missing));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(FileExists(m_folder / "dead.bin"));

    const std::string unwritable = m_folder / "no such folder\\file.bin";
    EXPECT_FALSE(DownloadUrlToFile(m_server.Url("/full").c_str(), unwritable.c_str(), missing));
    EXPECT_FALSE(FileExists(unwritable));
}

}  // namespace
