#include "update/update_checker.h"

#include <QColor>
#include <QDesktopServices>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPalette>
#include <QTimer>

#include "app/message_box.h"

namespace vek::update {

namespace {

// The texts the check shows.
namespace texts {
const char* const upToDate = "O VekTool está atualizado";
const char* const offerText =
    "Há uma nova versão do aplicativo VekTool disponível\r\ngostaria de fazer o download agora?";
const char* const offerCaption = "Atualização VekTool";
const char* const downloadLink = "Clique aqui para atualizar o VekTool";
}  // namespace texts

const char* const kHostVariable = "VEKTOOL_UPDATE_BASE";
constexpr int kTickMs = 1000;
const QColor kLinkColour(0, 0, 255);

UrlOpener& opener() {
    static UrlOpener o;
    return o;
}

QString fromCore(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isLeftClick(QEvent* event, QLabel* label) {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint());
}

void setUnderline(QLabel* label, bool underline) {
    QFont font = label->font();
    font.setUnderline(underline);
    label->setFont(font);
}

}  // namespace

void openUrl(const QUrl& url) {
    if (opener()) {
        opener()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void setUrlOpener(UrlOpener o) { opener() = std::move(o); }

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

UpdateChecker::UpdateChecker(QLabel* msg, QLabel* site, QObject* parent)
    : QObject(parent),
      L_Msg(msg),
      L_Site(site),
      Timer4(new QTimer(this)),
      network_(new QNetworkAccessManager(this)),
      host_(updateHost()) {
    Timer4->setObjectName("Timer4");
    Timer4->setInterval(kTickMs);
    connect(Timer4, &QTimer::timeout, this, &UpdateChecker::Timer4Timer);

    // Whatever the request says, a redirect to a weaker scheme is refused.
    network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);

    L_Site->setText(productPageUrl().toString());
    L_Site->setCursor(Qt::PointingHandCursor);
    L_Site->installEventFilter(this);
    L_Msg->installEventFilter(this);
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
    setUnderline(L_Msg, false);
    L_Msg->setText(QString::fromUtf8(texts::upToDate));
    Timer4->stop();
}

void UpdateChecker::offer(const VersionCheck& found) {
    Timer4->stop();
    serverVersion_ = found.serverVersion;
    downloadAddress = fromCore(vek::update::downloadAddress(host_.toStdString(), found.fileName));

    app::BoxRequest box;
    box.text = QString::fromUtf8(texts::offerText);
    box.caption = QString::fromUtf8(texts::offerCaption);
    box.icon = QMessageBox::Information;
    box.buttons = QMessageBox::Yes | QMessageBox::No;
    if (app::showBox(box) == QMessageBox::Yes) {
        openUrl(downloadUrl());
    } else {
        makeDownloadLink();
    }
}

void UpdateChecker::makeDownloadLink() {
    setUnderline(L_Msg, true);
    L_Msg->setText(QString::fromUtf8(texts::downloadLink));
    QPalette palette = L_Msg->palette();
    palette.setColor(QPalette::WindowText, kLinkColour);
    L_Msg->setPalette(palette);
    L_Msg->setCursor(Qt::PointingHandCursor);
    msgLinkActive_ = true;
}

void UpdateChecker::L_MsgClick() {
    if (!msgLinkActive_) return;
    msgLinkActive_ = false;
    openUrl(downloadUrl());
    L_Msg->setText(QString());
}

void UpdateChecker::L_SiteClick() { openUrl(productPageUrl()); }

bool UpdateChecker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == L_Site && isLeftClick(event, L_Site)) {
        L_SiteClick();
    } else if (watched == L_Msg && isLeftClick(event, L_Msg)) {
        L_MsgClick();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vek::update
