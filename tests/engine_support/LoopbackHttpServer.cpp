#include "tests/engine_support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

namespace support_test {

LoopbackHttpServer::LoopbackHttpServer()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (m_listener == INVALID_SOCKET || bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listener, 8) != 0 || getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ADD_FAILURE() << "cannot listen on 127.0.0.1, error " << WSAGetLastError();
        return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
    WSACleanup();
}

std::string LoopbackHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LoopbackHttpServer::Serve()
{
    while (!m_stop) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        timeval wait = {0, 50000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        SOCKET connection = accept(m_listener, nullptr, nullptr);
        if (connection != INVALID_SOCKET)
            Answer(connection);
    }
}

void LoopbackHttpServer::Answer(SOCKET connection)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<size_t>(got));
    }
    // "GET /path HTTP/1.1"
    const size_t pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);

    Response response;
    const auto known = m_responses.find(path);
    if (known != m_responses.end()) {
        response = known->second;
    } else {
        response.status = 404;
        response.body = "not found";
    }
    std::string reply = "HTTP/1.1 " + std::to_string(response.status) +
                        (response.status < 400 ? " OK" : " Not Found") + "\r\n" +
                        "Content-Type: application/octet-stream\r\n" +
                        "Content-Length: " + std::to_string(response.body.size()) + "\r\n" +
                        "Cache-Control: no-store\r\n" +
                        "Connection: close\r\n\r\n" + response.body.substr(0, response.bytesSent);
    for (size_t sent = 0; sent < reply.size();) {
        const int put = send(connection, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
        if (put <= 0)
            break;
        sent += static_cast<size_t>(put);
    }
    if (response.reset) {
        linger abortive = {1, 0};
        setsockopt(connection, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
    } else {
        shutdown(connection, SD_SEND);
    }
    closesocket(connection);
}

}  // namespace support_test
