#include "update/download.h"

#include <curl/curl.h>

#include <mutex>

namespace varemo {
namespace {

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    std::vector<uint8_t> body;
    uint64_t maxBytes = 0;
    bool tooLarge = false;
    const DownloadProgress* progress = nullptr;
};

size_t onData(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->body.size() + n > t->maxBytes) {
        t->tooLarge = true;
        return 0; // ends the transfer with a write error
    }
    t->body.insert(t->body.end(), data, data + n);
    return n;
}

int onProgress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (!t->progress || !*t->progress) return 0;
    return (*t->progress)(static_cast<uint64_t>(received), static_cast<uint64_t>(total)) ? 0 : 1;
}

DownloadError failure(CURLcode code, const Transfer& t, const std::string& url) {
    const std::string of = " (" + url + ")";
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return {DownloadFailure::NoConnection,
                "Keine Verbindung zum Update-Server" + of + ". Bitte die Internetverbindung prüfen."};
    case CURLE_OPERATION_TIMEDOUT:
        return {DownloadFailure::Timeout, "Der Update-Server antwortet nicht rechtzeitig" + of + "."};
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_USE_SSL_FAILED:
        return {DownloadFailure::Tls, "Die sichere Verbindung zum Update-Server ist fehlgeschlagen" + of +
                                          ": Das Zertifikat oder die Verschlüsselung wurde nicht "
                                          "angenommen."};
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return {DownloadFailure::ShortRead, "Die Übertragung vom Update-Server brach vor dem Ende ab" + of +
                                                "; es wurde nichts übernommen."};
    case CURLE_WRITE_ERROR:
        if (t.tooLarge)
            return {DownloadFailure::TooLarge, "Die Datei des Update-Servers ist zu groß" + of + "."};
        break;
    case CURLE_ABORTED_BY_CALLBACK:
        return {DownloadFailure::Cancelled, "Der Download wurde abgebrochen" + of + "."};
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return {DownloadFailure::Other, "Die Adresse " + url + " ist keine gültige Internetadresse."};
    default:
        break;
    }
    return {DownloadFailure::Other, "Der Download ist fehlgeschlagen" + of + ": " + curl_easy_strerror(code)};
}

class CurlDownloader : public Downloader {
  public:
    explicit CurlDownloader(const DownloadLimits& limits) : limits_(limits) { initCurlOnce(); }

    std::vector<uint8_t> fetch(const std::string& url, const DownloadProgress& progress) override {
        std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
        if (!curl) throw DownloadError(DownloadFailure::Other, "Der Download konnte nicht beginnen.");
        Transfer t;
        t.maxBytes = limits_.maxBytes;
        t.progress = &progress;
        CURL* c = curl.get();
        curl_easy_setopt(c, CURLOPT_URL, url.c_str());
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L); // safe off the main thread
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits_.connectTimeout.count()));
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.stallTimeout.count()));
        curl_easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(limits_.totalTimeout.count()));
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onData);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_USERAGENT, "varemo20");
        const CURLcode code = curl_easy_perform(c);
        long status = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        // An error page is no file, whatever came with it.
        if (status == 404)
            throw DownloadError(DownloadFailure::NotFound,
                                "Die Datei " + url + " gibt es auf dem Update-Server nicht (404).");
        if (status != 0 && status != 200 && (code == CURLE_OK || code == CURLE_WRITE_ERROR))
            throw DownloadError(DownloadFailure::HttpStatus, "Der Update-Server hat die Anfrage nach " + url +
                                                                 " abgelehnt (HTTP " +
                                                                 std::to_string(status) + ").");
        if (code != CURLE_OK) throw failure(code, t, url);
        return std::move(t.body);
    }

  private:
    DownloadLimits limits_;
};

} // namespace

std::unique_ptr<Downloader> makeHttpDownloader(const DownloadLimits& limits) {
    return std::make_unique<CurlDownloader>(limits);
}

} // namespace varemo
