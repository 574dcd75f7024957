// The update check against a real web server on loopback. Ticks are run by
// calling Timer4Timer directly, so the step counts are exact and nothing
// waits a second per tick; only the network is waited for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/message_box.h"
#include "app/update_labels.h"
#include "support/http_test_server.h"
#include "wait_for.h"
#include "update/update_checker.h"

namespace vek::update {
namespace {

using vek::testing::waitUntil;

using test::HttpTestServer;
using Response = HttpTestServer::Response;

Response page(int status, const QByteArray& body) {
    Response r;
    r.status = status;
    r.body = body;
    return r;
}

const QString kVersionPath = "/files/vektool.ver";
const QByteArray kCurrent = "#*$(002.047.065@@002.047.065)$*#\r\n";
const QByteArray kNewer = "#*$(002.047.066@@002.047.066)$*#\r\n";
const QByteArray kOlder = "#*$(002.046.065@@002.046.065)$*#\r\n";

const QString kUpToDate = QString::fromUtf8("O VekTool está atualizado");
const QString kOfferText = QString::fromUtf8(
    "Há uma nova versão do aplicativo VekTool disponível\r\ngostaria de fazer o download agora?");
const QString kOfferCaption = QString::fromUtf8("Atualização VekTool");
const QString kLinkText = QString::fromUtf8("Clique aqui para atualizar o VekTool");

void click(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override {
        app::setBoxHandler([this](const app::BoxRequest& request) {
            boxes.push_back(request);
            timerRanDuringBox = checker->timer()->isActive();
            return answer;
        });
        app::setUrlOpener([this](const QUrl& url) { opened.push_back(url); });
    }

    void TearDown() override {
        window.reset();
        app::setBoxHandler({});
        app::setUrlOpener({});
        qunsetenv("VEKTOOL_UPDATE_BASE");
    }

    // The checker as the window holds it: two labels, the host from the
    // environment.
    void makeChecker(const QString& base) {
        qputenv("VEKTOOL_UPDATE_BASE", base.toUtf8());
        window = std::make_unique<QWidget>();
        L_Msg = new QLabel(window.get());
        L_Site = new QLabel(window.get());
        // Designed underlined; the check sets the style it needs.
        QFont font = L_Msg->font();
        font.setUnderline(true);
        L_Msg->setFont(font);
        checker = new UpdateChecker(window.get());
        new app::UpdateLabels(L_Msg, L_Site, checker, window.get());
    }

    void startHttp() {
        ASSERT_TRUE(server.listenHttp());
        makeChecker(server.baseUrl());
    }

    // Ticks until the tick taken at `step` has run; returns how many it took.
    int ticksToStep(int step, int limit = 40) {
        for (int n = 1; n <= limit; ++n) {
            const int before = checker->updateStep();
            checker->Timer4Timer();
            if (before == step) return n;
        }
        return -1;
    }
    // The tick that starts a fetch, and the one that looks at the page.
    int ticksToNavigation(int limit = 40) { return ticksToStep(UpdateSteps::kNavigateStep, limit); }
    int ticksToCheck(int limit = 40) { return ticksToStep(UpdateSteps::kCheckStep, limit); }

    // The first cycle: the fetch at tick 3, the look at the page 4 ticks later.
    void firstCheck() {
        EXPECT_EQ(ticksToNavigation(), 3);
        ASSERT_TRUE(waitFetch());
        EXPECT_EQ(ticksToCheck(), 4);
    }

    bool waitFetch(int ms = 10000) {
        return waitUntil([this] { return !checker->fetchRunning(); }, ms);
    }

    QUrl downloadAt(const HttpTestServer& s, const QString& file) const {
        return QUrl(s.baseUrl() + "/files/" + file);
    }

    HttpTestServer server;
    std::unique_ptr<QWidget> window;
    QLabel* L_Msg = nullptr;
    QLabel* L_Site = nullptr;
    UpdateChecker* checker = nullptr;

    std::vector<app::BoxRequest> boxes;
    QMessageBox::StandardButton answer = QMessageBox::No;
    bool timerRanDuringBox = false;
    std::vector<QUrl> opened;
};

TEST_F(UpdateCheck, CurrentReleaseIsReportedAndTheCheckStops) {
    server.serve(kVersionPath, page(200, kCurrent));
    startHttp();

    EXPECT_EQ(ticksToNavigation(), 3);
    ASSERT_TRUE(waitFetch());
    checker->start();
    EXPECT_EQ(checker->timer()->objectName(), "Timer4");
    EXPECT_EQ(checker->timer()->interval(), 1000);
    ASSERT_TRUE(checker->timer()->isActive());
    EXPECT_EQ(ticksToCheck(), 4);

    EXPECT_TRUE(checker->finished());
    EXPECT_FALSE(checker->timer()->isActive());
    EXPECT_EQ(L_Msg->text(), kUpToDate);
    EXPECT_FALSE(L_Msg->font().underline());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(opened.empty());

    // The file was asked for fresh, once, and never again.
    const HttpTestServer::PathStats stats = server.stats(kVersionPath);
    ASSERT_EQ(stats.requests, 1);
    EXPECT_TRUE(stats.heads[0].toLower().contains("cache-control: no-cache"))
        << stats.heads[0].constData();
    for (int i = 0; i < 30; ++i) checker->Timer4Timer();
    EXPECT_FALSE(checker->fetchRunning());
    checker->start();
    EXPECT_FALSE(checker->timer()->isActive());
}

struct AcceptedCase {
    const char* name;
    QByteArray record;
    const char* file;
};

void PrintTo(const AcceptedCase& c, std::ostream* os) { *os << c.name; }

class UpdateOfferAccepted : public UpdateCheck,
                            public ::testing::WithParamInterface<AcceptedCase> {};

TEST_P(UpdateOfferAccepted, YesHandsTheDownloadToTheBrowser) {
    server.serve(kVersionPath, page(200, GetParam().record));
    startHttp();
    answer = QMessageBox::Yes;
    checker->start();

    ASSERT_NO_FATAL_FAILURE(firstCheck());

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kOfferText);
    EXPECT_EQ(boxes[0].caption, kOfferCaption);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(timerRanDuringBox);
    EXPECT_TRUE(checker->finished());

    const QUrl expected = downloadAt(server, GetParam().file);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], expected);
    EXPECT_EQ(opened[0].path(), "/files/" + QString(GetParam().file));
    // No link is left behind: the label stays as it was.
    EXPECT_TRUE(L_Msg->text().isEmpty());
    click(L_Msg);
    EXPECT_EQ(opened.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(UpdateReleases, UpdateOfferAccepted,
                         ::testing::Values(AcceptedCase{"Newer", kNewer, "VekTool v2.47.B.exe"},
                                           AcceptedCase{"Older", kOlder, "VekTool v2.46.A.exe"}),
                         [](const ::testing::TestParamInfo<AcceptedCase>& p) {
                             return std::string(p.param.name);
                         });

TEST_F(UpdateCheck, DeclinedOfferLeavesALinkThatOpensTheDownloadOnce) {
    server.serve(kVersionPath, page(200, kNewer));
    startHttp();
    answer = QMessageBox::No;

    ASSERT_NO_FATAL_FAILURE(firstCheck());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(opened.empty());

    EXPECT_EQ(L_Msg->text(), kLinkText);
    EXPECT_TRUE(L_Msg->font().underline());
    EXPECT_EQ(L_Msg->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(L_Msg->cursor().shape(), Qt::PointingHandCursor);

    click(L_Msg);
    const QUrl expected = downloadAt(server, "VekTool v2.47.B.exe");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], expected);
    EXPECT_TRUE(opened[0].toEncoded().endsWith("/files/VekTool%20v2.47.B.exe"));
    EXPECT_TRUE(L_Msg->text().isEmpty());

    click(L_Msg);
    click(L_Msg);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(L_Msg->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(UpdateCheck, ProductPageLink) {
    startHttp();
    const QString page = server.baseUrl() + "/vek";
    EXPECT_EQ(L_Site->text(), page);
    EXPECT_EQ(L_Site->cursor().shape(), Qt::PointingHandCursor);
    click(L_Site);
    click(L_Site);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(page));
    // The status label is no link until an offer is declined.
    click(L_Msg);
    EXPECT_EQ(opened.size(), 2u);
}

TEST(UpdateHost, BuiltInHttpsUnlessAPlainAddressIsGiven) {
    struct Case {
        const char* variable;  // nullptr: unset
        const char* host;
    };
    const char* builtIn = "https://www.vek-telemetria.example";
    for (const Case& c : {Case{nullptr, builtIn},
                          Case{"http://127.0.0.1:8080", "http://127.0.0.1:8080"},
                          Case{" https://mirror.example/ ", "https://mirror.example"},
                          Case{"ftp://127.0.0.1", builtIn},
                          Case{"file:///tmp", builtIn},
                          Case{"http://127.0.0.1/other", builtIn},
                          Case{"http://user@127.0.0.1", builtIn},
                          Case{"not an address", builtIn}}) {
        if (c.variable) {
            qputenv("VEKTOOL_UPDATE_BASE", c.variable);
        } else {
            qunsetenv("VEKTOOL_UPDATE_BASE");
        }
        EXPECT_EQ(updateHost(), QString(c.host)) << (c.variable ? c.variable : "(unset)");
    }
    qunsetenv("VEKTOOL_UPDATE_BASE");

    QWidget window;
    auto* msg = new QLabel(&window);
    auto* site = new QLabel(&window);
    UpdateChecker checker;
    app::UpdateLabels labels(msg, site, &checker);
    EXPECT_EQ(site->text(), QString(builtIn) + "/vek");
    EXPECT_EQ(checker.versionFileUrl(), QUrl(QString(builtIn) + "/files/vektool.ver"));
}

struct BrokenCase {
    const char* name;
    bool served;
    Response response;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class UpdateBrokenFile : public UpdateCheck, public ::testing::WithParamInterface<BrokenCase> {};

// A finished page that is not a version file gives no message and restarts
// the cycle at once: the next fetch comes 7 ticks after the previous one.
TEST_P(UpdateBrokenFile, NoBoxAndTheCycleRestartsAtOnce) {
    if (GetParam().served) server.serve(kVersionPath, GetParam().response);
    startHttp();

    EXPECT_EQ(ticksToNavigation(), 3);
    for (int cycle = 1; cycle <= 2; ++cycle) {
        ASSERT_TRUE(waitFetch());
        EXPECT_EQ(ticksToCheck(), 4);
        EXPECT_EQ(checker->updateStep(), 0);
        EXPECT_EQ(ticksToNavigation(), 3);
        ASSERT_TRUE(waitUntil([&] { return server.stats(kVersionPath).requests == cycle + 1; }));
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(L_Msg->text().isEmpty());
    EXPECT_FALSE(checker->finished());
}

INSTANTIATE_TEST_SUITE_P(
    UpdateFiles, UpdateBrokenFile,
    ::testing::Values(
        BrokenCase{"Missing", false, {}},
        // An error page is no version file, whatever it holds.
        BrokenCase{"NotFoundHoldingARecord", true, page(404, kNewer)},
        BrokenCase{"ServerErrorHoldingARecord", true, page(500, kNewer)},
        BrokenCase{"CopiesDiffer", true, page(200, "#*$(002.047.065@@002.047.064)$*#\r\n")},
        BrokenCase{"RecordAlone32", true, page(200, "#*$(002.047.066@@002.047.066)$*#")},
        BrokenCase{"Empty", true, page(200, "")},
        BrokenCase{"HtmlPage", true,
                   page(200, "<html><body>Manutenção programada</body></html>")}),
    [](const ::testing::TestParamInfo<BrokenCase>& p) { return std::string(p.param.name); });

// A server that takes the request and never answers: the page is not complete
// at the check, so the cycle runs on to 15 and the next fetch comes 16 ticks
// after the previous one; the transfer time-out ends a fetch nobody answers.
TEST_F(UpdateCheck, SilentServerRetriesAfterTheLongCount) {
    Response silent;
    silent.mode = HttpTestServer::Mode::NeverAnswer;
    server.serve(kVersionPath, silent);
    startHttp();

    EXPECT_EQ(ticksToNavigation(), 3);
    ASSERT_TRUE(waitUntil([&] { return server.stats(kVersionPath).requests == 1; }));
    EXPECT_TRUE(checker->fetchRunning());
    EXPECT_EQ(ticksToCheck(), 4);
    EXPECT_EQ(checker->updateStep(), UpdateSteps::kNotCompleteStep);
    EXPECT_EQ(ticksToNavigation(), 12);
    ASSERT_TRUE(waitUntil([&] { return server.stats(kVersionPath).requests == 2; }));

    ASSERT_TRUE(waitFetch(UpdateChecker::kTransferTimeoutMs + 10000));
    EXPECT_EQ(ticksToCheck(), 4);
    EXPECT_EQ(checker->updateStep(), UpdateSteps::kNotCompleteStep);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(L_Msg->text().isEmpty());
}

class UpdateOversized : public UpdateCheck, public ::testing::WithParamInterface<bool> {};

// A megabyte, sent a piece at a time: the check stops reading long before the
// end, and the page counts as not matching.
TEST_P(UpdateOversized, MegabyteIsNotReadWhole) {
    const qint64 size = 1024 * 1024;
    Response big;
    big.body = kNewer + QByteArray(size - kNewer.size(), ' ');
    big.mode = HttpTestServer::Mode::Trickle;
    big.announceLength = GetParam();
    server.serve(kVersionPath, big);
    startHttp();

    EXPECT_EQ(ticksToNavigation(), 3);
    ASSERT_TRUE(waitFetch());
    const HttpTestServer::PathStats stats = server.stats(kVersionPath);
    EXPECT_EQ(stats.bodiesCompleted, 0);
    EXPECT_LT(stats.bodyBytesSent, size / 4);
    EXPECT_EQ(ticksToCheck(), 4);
    EXPECT_EQ(checker->updateStep(), 0);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(UpdateBodies, UpdateOversized, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& p) {
                             return std::string(p.param ? "WithLength" : "EndedByClose");
                         });

// Restores the process-wide TLS defaults a test changed.
class DefaultTlsGuard {
public:
    DefaultTlsGuard() : saved_(QSslConfiguration::defaultConfiguration()) {}
    ~DefaultTlsGuard() { QSslConfiguration::setDefaultConfiguration(saved_); }
    void trust(const QSslCertificate& certificate) {
        QSslConfiguration config = saved_;
        config.addCaCertificate(certificate);
        QSslConfiguration::setDefaultConfiguration(config);
    }

private:
    QSslConfiguration saved_;
};

TEST_F(UpdateCheck, SelfSignedCertificateIsRefused) {
    QString error;
    ASSERT_TRUE(server.listenHttps(&error)) << error.toStdString();
    server.serve(kVersionPath, page(200, kNewer));
    makeChecker(server.baseUrl());

    ASSERT_NO_FATAL_FAILURE(firstCheck());
    EXPECT_EQ(checker->updateStep(), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(server.stats(kVersionPath).requests, 0);
    EXPECT_TRUE(waitUntil([&] { return server.tlsFailures() >= 1; }));

    // The same server serves the file to a client that trusts its
    // certificate: the refusal above was the certificate's.
    QNetworkAccessManager trusting;
    QNetworkRequest request(QUrl(server.baseUrl() + kVersionPath));
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.addCaCertificate(server.certificate());
    request.setSslConfiguration(config);
    std::unique_ptr<QNetworkReply> reply(trusting.get(request));
    ASSERT_TRUE(waitUntil([&] { return reply->isFinished(); }));
    EXPECT_EQ(reply->error(), QNetworkReply::NoError) << reply->errorString().toStdString();
    EXPECT_EQ(reply->readAll(), kNewer);
}

// With the certificate trusted, a redirect from HTTPS to plain HTTP is still
// not followed, while the file served over HTTPS itself is taken.
TEST_F(UpdateCheck, RedirectToAWeakerSchemeIsNotFollowed) {
    QString error;
    ASSERT_TRUE(server.listenHttps(&error)) << error.toStdString();
    DefaultTlsGuard tls;
    tls.trust(server.certificate());
    HttpTestServer plain;
    ASSERT_TRUE(plain.listenHttp());
    plain.serve(kVersionPath, page(200, kNewer));

    Response redirect;
    redirect.status = 302;
    redirect.location = (plain.baseUrl() + kVersionPath).toUtf8();
    server.serve(kVersionPath, redirect);
    makeChecker(server.baseUrl());

    ASSERT_NO_FATAL_FAILURE(firstCheck());
    EXPECT_EQ(checker->updateStep(), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(server.stats(kVersionPath).requests, 1);
    EXPECT_EQ(plain.stats(kVersionPath).requests, 0);

    // Same scheme: followed.
    Response toHttps = redirect;
    toHttps.location = (server.baseUrl() + "/files/moved.ver").toUtf8();
    server.serve(kVersionPath, toHttps);
    server.serve("/files/moved.ver", page(200, kNewer));
    answer = QMessageBox::Yes;
    ASSERT_NO_FATAL_FAILURE(firstCheck());
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], downloadAt(server, "VekTool v2.47.B.exe"));
    EXPECT_EQ(plain.stats(kVersionPath).requests, 0);
}

}  // namespace
}  // namespace vek::update
