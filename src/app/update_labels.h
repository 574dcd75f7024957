#pragma once
// What the window makes of the update check: `L_Site` links to the product
// page; `L_Msg` says the tool is current, or, once another release was
// offered and declined, becomes a one-shot link to its download.

#include <QObject>
#include <QUrl>
#include <functional>

class QLabel;

namespace vek::update {
class UpdateChecker;
}

namespace vek::app {

// Every address the tool opens goes through here, so a test can see what
// would reach the browser without starting one.
using UrlOpener = std::function<void(const QUrl&)>;

// Hands `url` to the system's browser, or to the installed opener.
void openUrl(const QUrl& url);

// Installs (or, with an empty opener, removes) the test seam.
void setUrlOpener(UrlOpener opener);

class UpdateLabels : public QObject {
    Q_OBJECT
public:
    // Sets `site`'s caption to the product page address.
    UpdateLabels(QLabel* msg, QLabel* site, update::UpdateChecker* checker, QObject* parent = nullptr);

private:
    void showUpToDate();
    void offer(const QUrl& download);
    void makeDownloadLink();
    void L_SiteClick();
    void L_MsgClick();

    QLabel* L_Msg;
    QLabel* L_Site;
    update::UpdateChecker* checker_;
    QUrl download_;
    bool msgLinkActive_ = false;
};

}  // namespace vek::app
