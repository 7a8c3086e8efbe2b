// A minimal HTTP server on 127.0.0.1 for download tests, run on a thread of
// the test program. Each request is answered on a connection of its own.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

namespace support_test {

class LoopbackHttpServer
{
public:
    struct Response
    {
        int status = 200;
        std::string body;
        // How many bytes of the body are sent before the connection ends;
        // the Content-Length header always announces the whole body.
        size_t bytesSent = std::string::npos;
        // End the connection with a reset instead of an orderly close.
        bool reset = false;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Set up every path before the first request; unknown paths give 404.
    void Add(const std::string& path, const Response& response) { m_responses[path] = response; }
    std::string Url(const std::string& path) const;
    int Port() const { return m_port; }

private:
    void Serve();
    void Answer(SOCKET connection);

    std::map<std::string, Response> m_responses;
    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace support_test
