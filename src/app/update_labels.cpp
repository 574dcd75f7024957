#include "app/update_labels.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPointer>

#include "app/app_texts.h"
#include "app/click_filter.h"
#include "app/message_box.h"
#include "update/update_checker.h"
#include "text/language.h"

namespace vek::app {

namespace {

const QColor kLinkColour(0, 0, 255);

void setUnderline(QLabel* label, bool underline) {
    QFont font = label->font();
    font.setUnderline(underline);
    label->setFont(font);
}

UrlOpener& opener() {
    static UrlOpener o;
    return o;
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

UpdateLabels::UpdateLabels(QLabel* msg, QLabel* site, update::UpdateChecker* checker, QObject* parent)
    : QObject(parent), L_Msg(msg), L_Site(site), checker_(checker) {
    L_Site->setText(checker_->productPageUrl().toString());
    L_Site->setCursor(Qt::PointingHandCursor);
    onClick(L_Site, [this] { L_SiteClick(); });
    onClick(L_Msg, [this] { L_MsgClick(); });
    connect(checker_, &update::UpdateChecker::upToDate, this, &UpdateLabels::showUpToDate);
    connect(checker_, &update::UpdateChecker::offerFound, this, &UpdateLabels::offer);
}

void UpdateLabels::showUpToDate() {
    setUnderline(L_Msg, false);
    L_Msg->setText(vek::translated(texts::kUpToDate));
}

void UpdateLabels::offer(const QUrl& download) {
    download_ = download;
    BoxRequest box;
    box.text = vek::translated(texts::kOfferText);
    box.caption = vek::translated(texts::kOfferCaption);
    box.icon = QMessageBox::Information;
    box.buttons = QMessageBox::Yes | QMessageBox::No;
    openBox(box, [self = QPointer<UpdateLabels>(this)](QMessageBox::StandardButton answer) {
        if (!self) return;
        if (answer == QMessageBox::Yes)
            openUrl(self->download_);
        else
            self->makeDownloadLink();
    });
}

void UpdateLabels::makeDownloadLink() {
    setUnderline(L_Msg, true);
    L_Msg->setText(vek::translated(texts::kDownloadLink));
    QPalette palette = L_Msg->palette();
    palette.setColor(QPalette::WindowText, kLinkColour);
    L_Msg->setPalette(palette);
    L_Msg->setCursor(Qt::PointingHandCursor);
    msgLinkActive_ = true;
}

void UpdateLabels::L_MsgClick() {
    if (!msgLinkActive_) return;
    msgLinkActive_ = false;
    openUrl(download_);
    L_Msg->setText(QString());
}

void UpdateLabels::L_SiteClick() { openUrl(checker_->productPageUrl()); }

}  // namespace vek::app
