#include "ui/update_content.h"

#include "session/tariff_hand_edits.h"
#include "ui/window_layout.h"
#include "update/tariff_archive.h"
#include "update/update_check.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <optional>

namespace varemo::ui {
namespace {

// What this program run remembers of its update checks.
struct ProgramUpdates {
    UpdateRun run;
    std::optional<UpdatePanel> automaticResult; // until the panel 1235 shows it
    std::vector<uint8_t> notice;                // the last notice fetched, for the refresh after a download
    bool downloading = false;
};

ProgramUpdates& programUpdates() {
    static ProgramUpdates updates;
    return updates;
}

std::filesystem::path installDir() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

UpdateSettings installationSettings(const Session& g) {
    return readUpdateSettings({g.programDir, installDir()});
}

// Fetches on a worker thread and waits in a local event loop, so that the window keeps drawing; the
// application-modal progress dialog keeps the user from changing the session meanwhile and can cancel.
class WorkerDownloader : public Downloader {
  public:
    WorkerDownloader(QWidget* parent, QString label) : parent_(parent), label_(std::move(label)) {}

    std::vector<uint8_t> fetch(const std::string& url, const DownloadProgress& progress) override {
        ProgramUpdates& p = programUpdates();
        if (p.downloading) throw DownloadError(DownloadFailure::Other, "Es läuft bereits ein Download.");
        p.downloading = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{p.downloading};

        QProgressDialog dialog(label_, QStringLiteral("Abbrechen"), 0, 0, parent_);
        dialog.setWindowTitle(QStringLiteral("Download"));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
        dialog.setMinimumDuration(300);
        std::atomic<bool> cancelled{false};
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&cancelled] { cancelled = true; });

        const QString label = label_;
        const DownloadProgress report = [&](uint64_t received, uint64_t total) {
            // Posted to the dialog: an update still queued when the dialog is gone is dropped with it.
            QMetaObject::invokeMethod(
                &dialog,
                [&dialog, label, received, total] {
                    if (total > 0) {
                        const auto totalKb =
                            static_cast<int>(std::min<uint64_t>(total / 1024, INT32_MAX - 1));
                        dialog.setMaximum(std::max(totalKb, 1));
                        dialog.setValue(static_cast<int>(std::min<uint64_t>(received / 1024, totalKb)));
                    }
                    dialog.setLabelText(label + QStringLiteral(" (%1 kB)").arg(received / 1024));
                },
                Qt::QueuedConnection);
            if (cancelled) return false;
            return !progress || progress(received, total);
        };

        std::vector<uint8_t> body;
        std::exception_ptr failure;
        QEventLoop loop;
        std::unique_ptr<QThread> worker(QThread::create([&] {
            try {
                body = http_->fetch(url, report);
            } catch (...) {
                failure = std::current_exception();
            }
        }));
        QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        worker->start();
        loop.exec();
        // The loop also ends when the application quits: the download is then cancelled.
        if (!worker->isFinished()) cancelled = true;
        worker->wait();
        if (failure) std::rethrow_exception(failure);
        return body;
    }

  private:
    QWidget* parent_;
    QString label_;
    std::unique_ptr<Downloader> http_ = makeHttpDownloader();
};

const char* const kInternetTitle = "Update über das Internet";
const char* const kServerTitle = "Update vom Server der Dienststelle";

class UpdateContent : public PanelContent {
  public:
    UpdateContent(int code, PanelHost& host) : code_(code), host_(host) {}
    ~UpdateContent() override { *alive_ = false; }

    int code() const override { return code_; }
    QString title() const override {
        return QString::fromUtf8(code_ == kServerUpdatePanel ? kServerTitle : kInternetTitle);
    }

    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = new QVBoxLayout(panel.body());
        switchLine_ = new QLabel(panel.body());
        switchLine_->setObjectName(QStringLiteral("Schalter"));
        column->addWidget(switchLine_);
        if (code_ == kServerUpdatePanel) {
            server_ = new QLineEdit(panel.body());
            server_->setObjectName(QStringLiteral("Text"));
            server_->setReadOnly(true);
            server_->setPlaceholderText(QString::fromUtf8(update_texts::kServerPlaceholder));
            server_->setMinimumWidth(420);
            column->addWidget(server_);
        }
        table_ = new QTableWidget(0, 5, panel.body());
        table_->setObjectName(QStringLiteral("Tabelle"));
        table_->setHorizontalHeaderLabels({QString(), QString::fromUtf8(update_texts::kInstalledColumn),
                                           QString::fromUtf8(update_texts::kOfferedColumn),
                                           QString::fromUtf8(update_texts::kSizeColumn), QString()});
        table_->verticalHeader()->hide();
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setSelectionMode(QAbstractItemView::NoSelection);
        column->addWidget(table_);
        for (const char* hint : update_texts::kHints)
            column->addWidget(new QLabel(QString::fromUtf8(hint), panel.body()));
        message_ = new QLabel(panel.body());
        message_->setObjectName(QStringLiteral("Meldung"));
        QFont bold = message_->font();
        bold.setBold(true);
        message_->setFont(bold);
        column->addWidget(message_);

        Session& g = host_.session();
        ProgramUpdates& p = programUpdates();
        if (code_ == kServerUpdatePanel) {
            host_.engine([&] {
                show(checkServerUpdates(g.programDir, g.dataRootOrProgram(), mainProgramPath(installDir()),
                                        g.storage.autoUpdateCheck));
            });
        } else if (code_ == kAutomaticCheckPanel && p.automaticResult) {
            show(*p.automaticResult);
            p.automaticResult.reset();
        } else {
            // The installed dates at once; the offered ones once the notice has arrived.
            UpdatePanel installed = internetUpdatePanel(
                UpdateNotice{}, installedDates(mainProgramPath(installDir()), g.dataRootOrProgram()),
                g.storage.autoUpdateCheck, code_);
            installed.message.clear();
            show(installed);
            QTimer::singleShot(0, panel.body(), [this, alive = alive_] {
                if (*alive) check(); // the panel may have been left before the loop came round
            });
        }
    }

    std::vector<PanelButton> ownButtons() override {
        if (code_ == kServerUpdatePanel) return {};
        return {{QString::fromUtf8(update_texts::kButtons[0]), [this] { openUpdatePage(); }},
                {QString::fromUtf8(update_texts::kButtons[1]), [this] { openNewsPage(); }}};
    }

    QStringList help() const override {
        QStringList lines;
        for (const char* hint : update_texts::kHints)
            lines << QString::fromUtf8(hint);
        if (code_ != kServerUpdatePanel)
            lines << QString::fromUtf8(update_texts::kUpdateExplanation)
                  << QString::fromUtf8(update_texts::kNewsExplanation);
        return lines;
    }

  private:
    void show(const UpdatePanel& model) {
        switchLine_->setText(q(model.switchLine));
        if (server_) server_->setText(q(model.serverFolder));
        table_->setRowCount(static_cast<int>(model.rows.size()));
        for (size_t i = 0; i < model.rows.size(); ++i) {
            const UpdatePanelRow& row = model.rows[i];
            const int r = static_cast<int>(i);
            int c = 0;
            for (const std::string* text : {&row.label, &row.installed, &row.offered, &row.sizeKb})
                table_->setItem(r, c++, new QTableWidgetItem(q(*text)));
            table_->removeCellWidget(r, 4);
            if (row.tariffYear != 0 && code_ != kServerUpdatePanel) {
                auto* download = new QPushButton(QStringLiteral("Herunterladen"));
                download->setObjectName(QStringLiteral("Tarife%1").arg(row.tariffYear));
                download->setAutoDefault(false);
                const int year = row.tariffYear;
                QObject::connect(download, &QPushButton::clicked, table_, [this, year, alive = alive_] {
                    if (*alive) downloadTariffs(year);
                });
                table_->setCellWidget(r, 4, download);
            }
        }
        table_->resizeColumnsToContents();
        table_->setMinimumWidth(table_->horizontalHeader()->length() + 4);
        table_->setMinimumHeight(table_->verticalHeader()->length() + table_->horizontalHeader()->height() +
                                 4);
        message_->setText(q(model.message));
    }

    // The check on demand: the notice is fetched and the panel shows the offered dates.
    void check() {
        Session& g = host_.session();
        ProgramUpdates& p = programUpdates();
        const auto alive = alive_;
        std::vector<uint8_t> notice;
        try {
            WorkerDownloader downloader(panel_,
                                        QStringLiteral("Die Update-Informationen werden geladen ..."));
            notice = fetchUpdateNotice(downloader, installationSettings(g));
        } catch (const UpdateSettingsError& e) {
            g.prompter.tell(kInternetTitle, {e.what()}, PromptIcon::Warning);
            return;
        } catch (const DownloadError& e) {
            if (e.kind() == DownloadFailure::Cancelled)
                g.prompter.tell(kInternetTitle, {e.what()}, PromptIcon::Information);
            else
                reportNoticeFailure(g, p.run, e);
            return;
        }
        p.notice = notice;
        if (!*alive) return;
        host_.engine([&] {
            if (auto model =
                    evaluateUpdateNotice(g, mainProgramPath(installDir()), notice, UpdateCheckKind::OnDemand))
                show(*model);
        });
    }

    // The button of a tariff row: the archive is fetched off the window's thread and installed on it.
    void downloadTariffs(int year) {
        Session& g = host_.session();
        ProgramUpdates& p = programUpdates();
        const auto alive = alive_;
        const std::string title = "Tariftabellen " + std::to_string(year);
        // Tables changed by hand are not replaced without the user's "Ja"; nothing is fetched before.
        bool confirmed = false;
        host_.engine([&] { confirmed = ConfirmTariffDownload(g, year); });
        if (!confirmed || !*alive) return;
        std::vector<uint8_t> archive;
        try {
            WorkerDownloader downloader(panel_,
                                        QStringLiteral("Die Tariftabellen %1 werden geladen ...").arg(year));
            archive = fetchTariffArchive(downloader, installationSettings(g), year);
        } catch (const UpdateSettingsError& e) {
            g.prompter.tell(title, {e.what()}, PromptIcon::Warning);
            return;
        } catch (const DownloadError& e) {
            // A download the user stopped is no failure of the connection.
            if (e.kind() != DownloadFailure::Cancelled) p.run.downloadFailed = true;
            g.prompter.tell("Download fehlgeschlagen",
                            {e.what(), "Die installierten Tariftabellen sind unverändert."},
                            PromptIcon::Warning);
            return;
        }
        if (!*alive) return;
        host_.engine([&] {
            try {
                const std::vector<std::string> names = installTariffs(g, year, archive);
                g.prompter.tell(title,
                                {"Die Tariftabellen " + std::to_string(year) + " wurden installiert (" +
                                 std::to_string(names.size()) + " Dateien)."});
            } catch (const ArchiveError& e) {
                g.prompter.tell(title, {e.what()}, PromptIcon::Warning);
                return;
            }
            // The installed dates now show the new files.
            if (!p.notice.empty())
                if (auto model = evaluateUpdateNotice(g, mainProgramPath(installDir()), p.notice,
                                                      UpdateCheckKind::OnDemand)) {
                    model->content = code_;
                    show(*model);
                }
        });
    }

    void openUpdatePage() {
        Session& g = host_.session();
        const UpdateSettings settings = installationSettings(g);
        if (settings.updatePage.empty()) {
            missingAddress("Updateseite");
            return;
        }
        const PromptAnswer answer = g.prompter.ask(PromptMessage{PromptIcon::Information,
                                                                 update_texts::kButtons[0],
                                                                 {update_texts::kUpdateExplanation},
                                                                 PromptButtons::OkCancel});
        if (answer != PromptAnswer::Ok) return;
        QDesktopServices::openUrl(QUrl(q(settings.updatePage)));
        // Closing the main window writes the window record and ends the program.
        if (QWidget* main = panel_->parentWidget()) main->close();
    }

    void openNewsPage() {
        const UpdateSettings settings = installationSettings(host_.session());
        if (settings.newsPage.empty()) {
            missingAddress("Neuigkeiten");
            return;
        }
        QDesktopServices::openUrl(QUrl(q(settings.newsPage)));
    }

    void missingAddress(const std::string& name) {
        host_.session().prompter.tell("Internetadresse fehlt",
                                      {"Für dieses Programm ist keine Adresse \"" + name +
                                       "\" eingetragen. Sie gehört als Zeile \"" + name +
                                       "=...\" in die Datei " + kUpdateSettingsFile + " im Programmordner."},
                                      PromptIcon::Warning);
    }

    int code_;
    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QLabel* switchLine_ = nullptr;
    QLineEdit* server_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* message_ = nullptr;
    // A download waits in a local event loop; the content may be left meanwhile.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace

std::unique_ptr<PanelContent> makeUpdateContent(int code, PanelHost& host) {
    if (code != kAutomaticCheckPanel && code != kInternetUpdatePanel && code != kServerUpdatePanel)
        return nullptr;
    return std::make_unique<UpdateContent>(code, host);
}

void beginUpdateRun(const Session& g) {
    ProgramUpdates& p = programUpdates();
    p.run = updateRunAfterStart(g);
    p.automaticResult.reset();
    p.notice.clear();
}

void runStartupUpdateCheck(PanelHost& host, QWidget* window) {
    ProgramUpdates& p = programUpdates();
    if (!p.run.checkPending) return;
    Session& g = host.session();
    const UpdateSettings settings = installationSettings(g);
    // The notice is fetched only through this downloader: remembered for the refresh after a download.
    struct Remembering : WorkerDownloader {
        using WorkerDownloader::WorkerDownloader;
        std::vector<uint8_t> fetch(const std::string& url, const DownloadProgress& progress) override {
            std::vector<uint8_t> body = WorkerDownloader::fetch(url, progress);
            programUpdates().notice = body;
            return body;
        }
    } downloader(window, QStringLiteral("Die Update-Informationen werden geladen ..."));
    std::optional<UpdatePanel> model;
    host.engine([&] {
        model = runAutomaticUpdateCheck(g, p.run, downloader, settings, mainProgramPath(installDir()));
    });
    if (!model) return;
    p.automaticResult = std::move(*model);
    host.openPanel(kAutomaticCheckPanel);
}

} // namespace varemo::ui
