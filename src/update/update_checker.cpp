#include "update/update_checker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace vek::update {

namespace {

const char* const kHostVariable = "VEKTOOL_UPDATE_BASE";
constexpr int kTickMs = 1000;


QString fromCore(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace


QString updateHost() {
    const QString raw = qEnvironmentVariable(kHostVariable).trimmed();
    if (!raw.isEmpty()) {
        QUrl url(raw, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        const bool plain = url.isValid() && (scheme == "http" || scheme == "https") &&
                           !url.host().isEmpty() && url.userInfo().isEmpty() &&
                           (url.path().isEmpty() || url.path() == "/") && !url.hasQuery() &&
                           !url.hasFragment();
        if (plain) {
            url.setPath(QString());
            return url.toString();
        }
    }
    return QString::fromUtf8(kDefaultHost.data(), static_cast<qsizetype>(kDefaultHost.size()));
}

UpdateChecker::UpdateChecker(QObject* parent)
    : QObject(parent), Timer4(new QTimer(this)), host_(updateHost()) {
    Timer4->setObjectName("Timer4");
    Timer4->setInterval(kTickMs);
    connect(Timer4, &QTimer::timeout, this, &UpdateChecker::Timer4Timer);
}

UpdateChecker::~UpdateChecker() { dropReply(); }

void UpdateChecker::start() {
    if (!steps_.finished()) Timer4->start();
}

QUrl UpdateChecker::versionFileUrl() const {
    return QUrl(fromCore(versionFileAddress(host_.toStdString())));
}

QUrl UpdateChecker::productPageUrl() const {
    return QUrl(fromCore(productPageAddress(host_.toStdString())));
}

QUrl UpdateChecker::downloadUrl() const {
    return downloadAddress.isEmpty() ? QUrl() : QUrl(downloadAddress);
}

void UpdateChecker::Timer4Timer() {
    switch (steps_.tick()) {
    case UpdateSteps::Action::None:
        return;
    case UpdateSteps::Action::Navigate:
        navigate();
        return;
    case UpdateSteps::Action::Check: {
        const VersionCheck found = check();
        steps_.checked(found.result);
        if (found.result == CheckResult::Current) {
            showUpToDate();
        } else if (found.result == CheckResult::Different) {
            offer(found);
        } else {
            emit attemptFailed();
        }
        return;
    }
    }
}

void UpdateChecker::navigate() {
    dropReply();
    body_.clear();
    tooLarge_ = false;

    QNetworkRequest request(versionFileUrl());
    // Neither an old copy nor a new one: the file changes with each release.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(kTransferTimeoutMs);

    if (!network_) {
        // Made at the first fetch, a few seconds in, not while the window
        // is being shown: it is the largest single piece of the start-up.
        network_ = new QNetworkAccessManager(this);
        // Whatever the request says, a redirect to a weaker scheme is refused.
        network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    fetch_ = Fetch::Running;
    // Keeps the network layer from buffering more than the cap behind our back.
    reply->setReadBufferSize(kMaxBodyBytes);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { replyMetaData(reply); });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { readBody(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
}

void UpdateChecker::dropReply() {
    if (!reply_) return;
    QNetworkReply* old = reply_;
    reply_ = nullptr;
    disconnect(old, nullptr, this, nullptr);
    old->abort();
    old->deleteLater();
}

void UpdateChecker::replyMetaData(QNetworkReply* reply) {
    if (reply != reply_) return;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > kMaxBodyBytes) {
        tooLarge_ = true;
        reply->abort();
    }
}

void UpdateChecker::readBody(QNetworkReply* reply) {
    if (reply != reply_ || tooLarge_) return;
    while (reply->bytesAvailable() > 0) {
        // One byte past the cap is enough to know the body is too long.
        body_ += reply->read(kMaxBodyBytes + 1 - body_.size());
        if (body_.size() > kMaxBodyBytes) {
            tooLarge_ = true;
            reply->abort();
            return;
        }
    }
}

void UpdateChecker::replyFinished(QNetworkReply* reply) {
    if (reply != reply_) return;
    readBody(reply);
    const QNetworkReply::NetworkError error = reply->error();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int code = status.isValid() ? status.toInt() : 200;

    if (tooLarge_) {
        fetch_ = Fetch::Failed;
    } else if (error == QNetworkReply::NoError && code >= 200 && code < 300) {
        fetch_ = Fetch::Body;
    } else if (error == QNetworkReply::OperationCanceledError ||
               error == QNetworkReply::TimeoutError) {
        // Nobody here cancelled it, so the transfer time-out did: the page
        // did not load in time.
        fetch_ = Fetch::TimedOut;
    } else {
        // An HTTP error, a refused connection, a failed certificate check, a
        // refused redirect: a finished page that is not the version file.
        fetch_ = Fetch::Failed;
    }
    if (fetch_ != Fetch::Body) body_.clear();
    reply_ = nullptr;
    reply->deleteLater();
}

VersionCheck UpdateChecker::check() const {
    switch (fetch_) {
    case Fetch::Idle:
    case Fetch::Running:
    case Fetch::TimedOut:
        return VersionCheck{CheckResult::NotComplete, {}, {}};
    case Fetch::Failed:
        return VersionCheck{CheckResult::Mismatch, {}, {}};
    case Fetch::Body:
        break;
    }
    return checkVersionBody(
        std::string_view(body_.constData(), static_cast<std::size_t>(body_.size())));
}

void UpdateChecker::showUpToDate() {
    Timer4->stop();
    emit upToDate();
}

void UpdateChecker::offer(const VersionCheck& found) {
    Timer4->stop();
    serverVersion_ = found.serverVersion;
    downloadAddress = fromCore(vek::update::downloadAddress(host_.toStdString(), found.fileName));
    emit offerFound(downloadUrl());
}

}  // namespace vek::update
