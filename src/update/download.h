#pragma once
// Downloads over HTTP(S). The engine asks a Downloader, so that the window and the tests can put their
// own in its place. A download holds nothing of the session: it may run on a worker thread while the
// window stays responsive; what it fetched is installed afterwards on the caller's thread.

#include "base/error.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace varemo {

// Why a download failed. The message of the error says it in German for the user.
enum class DownloadFailure {
    NoConnection, // no network, name not found, server not reachable
    Timeout,      // the server did not answer or stopped sending in time
    NotFound,     // HTTP 404
    HttpStatus,   // another answer than 200
    Tls,          // the secure connection could not be established or its certificate was refused
    ShortRead,    // the connection ended before the announced length had arrived
    TooLarge,     // more than the download may hold
    Cancelled,    // the progress callback asked to stop
    Other,
};

class DownloadError : public Error {
  public:
    DownloadError(DownloadFailure kind, const std::string& message) : Error(message), kind_(kind) {}
    DownloadFailure kind() const { return kind_; }

  private:
    DownloadFailure kind_;
};

// Bytes received so far and the total the server announced (0 when it announced none). Returning
// false cancels the download.
using DownloadProgress = std::function<bool(uint64_t received, uint64_t total)>;

struct DownloadLimits {
    std::chrono::seconds connectTimeout{15};
    // The download fails when fewer than 1 byte per second arrives for this long.
    std::chrono::seconds stallTimeout{30};
    // The whole download (0: none).
    std::chrono::seconds totalTimeout{600};
    uint64_t maxBytes = 64u << 20;
};

class Downloader {
  public:
    virtual ~Downloader() = default;
    // The body of the URL's answer. Throws DownloadError with the German message of the failure.
    virtual std::vector<uint8_t> fetch(const std::string& url, const DownloadProgress& progress = {}) = 0;
};

// The downloader of the program. It loads libcurl (the file `library`) when the first download begins;
// when it cannot, that download fails with a message naming the file.
std::unique_ptr<Downloader> makeHttpDownloader(const DownloadLimits& limits = {},
                                               const std::string& library = "libcurl.so.4");

} // namespace varemo
