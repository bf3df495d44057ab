#include "support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace varemo::test {

LocalHttpServer::LocalHttpServer(std::filesystem::path root) : root_(std::move(root)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("socket");
    int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener_, 8) != 0)
        throw std::runtime_error("bind/listen");
    socklen_t len = sizeof addr;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

void LocalHttpServer::serve() {
    while (!stop_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        answer(client);
        ::close(client);
    }
}

void LocalHttpServer::answer(int client) {
    ++requests_;
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0) return;
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<size_t>(n));
        // Not HTTP (a TLS handshake on the plain port): answered at once, as a plain server does.
        if (request[0] < 'A' || request[0] > 'Z') {
            const std::string bad = "HTTP/1.0 400 Bad Request\r\nConnection: close\r\n\r\n";
            ::send(client, bad.data(), bad.size(), MSG_NOSIGNAL);
            return;
        }
    }
    // The delay, in small steps so that the server stops promptly.
    for (long waited = 0; waited < delayMs_ && !stop_; waited += 20)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));

    const size_t start = request.find(' ') + 1;
    const std::string path = request.substr(start, request.find(' ', start) - start);
    std::string body;
    std::string status = "404 Not Found";
    if (path.find("..") == std::string::npos && !path.empty() && path[0] == '/') {
        std::ifstream in(root_ / path.substr(1), std::ios::binary);
        if (in && std::filesystem::is_regular_file(root_ / path.substr(1))) {
            body.assign(std::istreambuf_iterator<char>(in), {});
            status = "200 OK";
        }
    }
    std::string head = "HTTP/1.0 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\nConnection: close\r\n\r\n";
    const long cut = cutAfter_;
    if (cut >= 0 && static_cast<size_t>(cut) < body.size()) body.resize(static_cast<size_t>(cut));
    const std::string all = head + body;
    size_t sent = 0;
    while (sent < all.size()) {
        const ssize_t n = ::send(client, all.data() + sent, all.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

} // namespace varemo::test
