#pragma once
// A small HTTP/1.0 server on 127.0.0.1 for the tests of the downloads: it serves the files of a folder
// (GET only, one connection at a time, on a thread of its own) and answers 404 for anything else. It can
// wait before answering and cut an answer short after a number of body bytes while announcing the whole
// length.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <thread>

namespace varemo::test {

class LocalHttpServer {
  public:
    explicit LocalHttpServer(std::filesystem::path root);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

    void setDelay(std::chrono::milliseconds delay) { delayMs_ = delay.count(); }
    // Sends only this many bytes of a body (negative: all of it), then closes the connection.
    void setCutAfter(long bytes) { cutAfter_ = bytes; }
    int requests() const { return requests_; }

  private:
    void serve();
    void answer(int client);

    std::filesystem::path root_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<long> delayMs_{0};
    std::atomic<long> cutAfter_{-1};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

} // namespace varemo::test
