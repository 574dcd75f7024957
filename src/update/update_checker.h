#pragma once
// The check for another published release of the tool. A few seconds after
// start-up it fetches the version file from the vendor's web server and
// either says the tool is current or offers the other release; a network
// fault or a wrong file is retried quietly for as long as the tool runs.
//
// It says what it found through signals and holds no widgets: the window
// shows the result. Addresses only ever go to the system's browser; the tool
// neither stores nor runs what is downloaded.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include "update/core/version_record.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace vek::update {

// Scheme and host of the vendor's web server: VEKTOOL_UPDATE_BASE when it
// holds a plain http or https address (scheme, host and optional port,
// nothing else), otherwise the built-in host.
QString updateHost();

class UpdateChecker : public QObject {
    Q_OBJECT

public:
    // Time a fetch may take before it counts as not complete; shorter than
    // the four ticks between navigating and checking.
    static constexpr int kTransferTimeoutMs = 3000;
    // Any body that could be a version file (fewer than 500 characters of at
    // most 4 bytes each) fits; anything longer is not read on.
    static constexpr qint64 kMaxBodyBytes = 4096;
    static constexpr int kMaxRedirects = 5;

    // The host is read from the environment here, once.
    explicit UpdateChecker(QObject* parent = nullptr);
    ~UpdateChecker() override;

    // Enables Timer4 (part of the window's start-up).
    void start();

    QTimer* timer() const { return Timer4; }
    int updateStep() const { return steps_.updateStep(); }
    bool finished() const { return steps_.finished(); }
    // A fetch of the version file is in flight.
    bool fetchRunning() const { return fetch_ == Fetch::Running; }

    QString host() const { return host_; }
    QUrl versionFileUrl() const;
    QUrl productPageUrl() const;
    // Empty until another release has been found.
    QUrl downloadUrl() const;
    Release serverVersion() const { return serverVersion_; }

public slots:
    // One step per tick of Timer4.
    void Timer4Timer();

signals:
    // The published release is this one; the check is over.
    void upToDate();
    // Another release is published at `download`; the check is over.
    void offerFound(const QUrl& download);
    // This attempt found no version file (or not in time); another follows.
    void attemptFailed();

private:
    enum class Fetch { Idle, Running, Body, Failed, TimedOut };

    void navigate();
    void dropReply();
    void readBody(QNetworkReply* reply);
    void replyMetaData(QNetworkReply* reply);
    void replyFinished(QNetworkReply* reply);
    VersionCheck check() const;
    void showUpToDate();
    void offer(const VersionCheck& found);

    QTimer* Timer4;
    QNetworkAccessManager* network_ = nullptr;

    QString host_;
    UpdateSteps steps_;
    QNetworkReply* reply_ = nullptr;
    Fetch fetch_ = Fetch::Idle;
    QByteArray body_;
    bool tooLarge_ = false;

    Release serverVersion_{};
    QString downloadAddress;
};

}  // namespace vek::update
