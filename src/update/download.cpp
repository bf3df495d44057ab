#include "update/download.h"

#include "update/shared_library.h"

#include <curl/curl.h>

#include <map>
#include <mutex>

namespace varemo {
namespace {

// The functions of libcurl the download uses, looked up when the first download begins.
struct Curl {
    explicit Curl(const std::string& file)
        : library(file, "das Herunterladen (Paket libcurl4)"),
          global_init(library.function<decltype(::curl_global_init)>("curl_global_init")),
          easy_init(library.function<decltype(::curl_easy_init)>("curl_easy_init")),
          easy_cleanup(library.function<decltype(::curl_easy_cleanup)>("curl_easy_cleanup")),
          easy_setopt(library.function<decltype(::curl_easy_setopt)>("curl_easy_setopt")),
          easy_perform(library.function<decltype(::curl_easy_perform)>("curl_easy_perform")),
          easy_getinfo(library.function<decltype(::curl_easy_getinfo)>("curl_easy_getinfo")),
          easy_strerror(library.function<decltype(::curl_easy_strerror)>("curl_easy_strerror")) {
        global_init(CURL_GLOBAL_DEFAULT);
    }
    SharedLibrary library;
    decltype(&::curl_global_init) global_init;
    decltype(&::curl_easy_init) easy_init;
    decltype(&::curl_easy_cleanup) easy_cleanup;
    decltype(&::curl_easy_setopt) easy_setopt;
    decltype(&::curl_easy_perform) easy_perform;
    decltype(&::curl_easy_getinfo) easy_getinfo;
    decltype(&::curl_easy_strerror) easy_strerror;
};

// Loaded once per file and process; a failed load is tried again by the next download.
const Curl& curl(const std::string& file) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<Curl>> loaded;
    const std::lock_guard lock(mutex);
    auto& slot = loaded[file];
    if (!slot) {
        try {
            slot = std::make_unique<Curl>(file);
        } catch (const Error& e) {
            throw DownloadError(DownloadFailure::Other, e.what());
        }
    }
    return *slot;
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

DownloadError failure(const Curl& api, CURLcode code, const Transfer& t, const std::string& url) {
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
    return {DownloadFailure::Other, "Der Download ist fehlgeschlagen" + of + ": " + api.easy_strerror(code)};
}

class CurlDownloader : public Downloader {
  public:
    CurlDownloader(const DownloadLimits& limits, std::string library)
        : limits_(limits), library_(std::move(library)) {}

    std::vector<uint8_t> fetch(const std::string& url, const DownloadProgress& progress) override {
        const Curl& api = varemo::curl(library_);
        std::unique_ptr<CURL, decltype(&::curl_easy_cleanup)> curl(api.easy_init(), api.easy_cleanup);
        if (!curl) throw DownloadError(DownloadFailure::Other, "Der Download konnte nicht beginnen.");
        Transfer t;
        t.maxBytes = limits_.maxBytes;
        t.progress = &progress;
        CURL* c = curl.get();
        api.easy_setopt(c, CURLOPT_URL, url.c_str());
        api.easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        api.easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        api.easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        api.easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
        api.easy_setopt(c, CURLOPT_NOSIGNAL, 1L); // safe off the main thread
        api.easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits_.connectTimeout.count()));
        api.easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
        api.easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.stallTimeout.count()));
        api.easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(limits_.totalTimeout.count()));
        api.easy_setopt(c, CURLOPT_WRITEFUNCTION, onData);
        api.easy_setopt(c, CURLOPT_WRITEDATA, &t);
        api.easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
        api.easy_setopt(c, CURLOPT_XFERINFODATA, &t);
        api.easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        api.easy_setopt(c, CURLOPT_USERAGENT, "varemo20");
        const CURLcode code = api.easy_perform(c);
        long status = 0;
        api.easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        // An error page is no file, whatever came with it.
        if (status == 404)
            throw DownloadError(DownloadFailure::NotFound,
                                "Die Datei " + url + " gibt es auf dem Update-Server nicht (404).");
        if (status != 0 && status != 200 && (code == CURLE_OK || code == CURLE_WRITE_ERROR))
            throw DownloadError(DownloadFailure::HttpStatus, "Der Update-Server hat die Anfrage nach " + url +
                                                                 " abgelehnt (HTTP " +
                                                                 std::to_string(status) + ").");
        if (code != CURLE_OK) throw failure(api, code, t, url);
        return std::move(t.body);
    }

  private:
    DownloadLimits limits_;
    std::string library_;
};

} // namespace

std::unique_ptr<Downloader> makeHttpDownloader(const DownloadLimits& limits, const std::string& library) {
    return std::make_unique<CurlDownloader>(limits, library);
}

} // namespace varemo
