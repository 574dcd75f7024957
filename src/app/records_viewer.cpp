#include "app/records_viewer.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <iterator>
#include <limits>
#include <utility>

#include "app/records_viewer_texts.h"
#include "config/config_texts.h"
#include "config/record_layout.h"
#include "records/run.h"
#include "text/language.h"
#include "words/words.h"

namespace vek::app {

namespace {

QString qs(const char* utf8) { return QString::fromUtf8(utf8); }
QString qs(vek::Text utf8) { return vek::translated(utf8); }

const QColor kPassedColor(0x2e, 0x7d, 0x32);
const QColor kFailedColor(0xc6, 0x28, 0x28);
const QColor kInterruptedColor(0xef, 0x6c, 0x00);

// A request is this slow before the window says it is still waiting.
constexpr int kSlowMs = 1500;
constexpr int kPageSize = 200;
constexpr int kReasonsShown = 8;
constexpr int kReasonWidth = 38;

QString verdictShown(const records::RunSummary& run) {
    using records::Verdict;
    if (run.stale) return qs(texts::kVerdictStale);
    if (run.withoutNews)
        return qs(texts::kVerdictWithoutNews)
            .arg(run.startedAt.toLocalTime().toString(QStringLiteral("HH:mm")), run.station);
    const auto verdict = records::verdictFromText(run.verdict);
    if (!verdict) return run.verdict;
    switch (*verdict) {
        case Verdict::Passed:
            return qs(texts::kVerdictPassed);
        case Verdict::Failed:
            return qs(texts::kVerdictFailed);
        case Verdict::Interrupted:
            return qs(texts::kVerdictInterrupted);
        case Verdict::Running:
            return qs(texts::kVerdictRunning);
    }
    return run.verdict;
}

QColor verdictColor(const records::RunSummary& run) {
    if (run.verdict == records::verdictText(records::Verdict::Passed)) return kPassedColor;
    if (run.verdict == records::verdictText(records::Verdict::Failed)) return kFailedColor;
    if (run.verdict == records::verdictText(records::Verdict::Interrupted)) return kInterruptedColor;
    return {};
}

QString localTime(const QDateTime& time) {
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : qs(texts::kEmptyValue);
}

QString orDash(const QString& text) { return text.isEmpty() ? qs(texts::kEmptyValue) : text; }

// Why a run failed in the reader's language, whatever the station's was.
QString reasonShown(const records::RunSummary& run) {
    return run.failure.empty() ? run.failureReason : words::sentence(run.failure);
}

QString firmwareStep(const QString& before, const QString& after) {
    if (before.isEmpty() && after.isEmpty()) return qs(texts::kEmptyValue);
    if (after.isEmpty() || after == before) return before.isEmpty() ? after : before;
    return qs(texts::kFirmwareStep).arg(orDash(before), after);
}

QString elided(const QString& text, int width) {
    return text.size() <= width ? text : text.left(width - 1) + QChar(0x2026);
}

// The stored configuration as the form shows it: the form's labels with their
// units, values as typed, boxes as sim/não. Read from the JSON as it is, so a
// configuration the form would refuse is still shown whole.
std::vector<std::pair<QString, QString>> configRows(const QString& json) {
    std::vector<std::pair<QString, QString>> rows;
    const QJsonObject doc = QJsonDocument::fromJson(json.toUtf8()).object();
    auto value = [](const QJsonValue& v) {
        if (v.isBool()) return qs(v.toBool() ? config::text::kYes : config::text::kNo);
        if (v.isDouble()) return QString::number(v.toInteger());
        if (v.isString()) return v.toString().isEmpty() ? qs(config::text::kNone) : v.toString();
        return qs(config::text::kNone);
    };
    auto add = [&](const QString& label, const QJsonValue& v) {
        if (!v.isUndefined()) rows.emplace_back(label, value(v));
    };
    add(qs(config::text::kLabelPing), doc.value(QLatin1String("ping_s")));
    add(qs(config::text::kLabelA232), doc.value(QLatin1String("rs232_a_baud")));
    add(qs(config::text::kLabelB232), doc.value(QLatin1String("rs232_b_baud")));
    for (const config::layout::FieldRule& rule : config::layout::kRules)
        add(QStringLiteral("%1 (%2)").arg(qs(rule.writeName), qs(rule.unit)), doc.value(QLatin1String(rule.key)));
    const QJsonObject alerts = doc.value(QLatin1String("alerts")).toObject();
    struct Group {
        const char* key;
        const char* name;
    };
    for (const Group g : {Group{"ACP", config::text::kAcp}, Group{"ACN", config::text::kAcn}}) {
        const QJsonObject o = alerts.value(QLatin1String(g.key)).toObject();
        add(qs(config::text::kLabelRegister).arg(qs(g.name)),
            o.value(QLatin1String("register")));
        add(qs(config::text::kLabelBuzzer).arg(qs(g.name)), o.value(QLatin1String("buzzer")));
    }
    const Group groups[] = {{"VMX", config::text::kVmx},
                            {"VCH", config::text::kVch},
                            {"RPX", config::text::kRpx},
                            {"OSC", config::text::kRemoteOsc},
                            {"BGL", config::text::kRemoteBgl}};
    for (const Group& g : groups) {
        const QJsonObject o = alerts.value(QLatin1String(g.key)).toObject();
        const QJsonObject reg = o.value(QLatin1String("register")).toObject();
        const QJsonObject buz = o.value(QLatin1String("buzzer")).toObject();
        auto label = [&](const char* pattern) { return qs(pattern).arg(qs(g.name)); };
        add(label(config::text::kLabelRegisterIn), reg.value(QLatin1String("entry")));
        add(label(config::text::kLabelRegisterOut), reg.value(QLatin1String("exit")));
        add(label(config::text::kLabelBuzzerIn), buz.value(QLatin1String("entry")));
        add(label(config::text::kLabelBuzzerOut), buz.value(QLatin1String("exit")));
        add(label(config::text::kLabelBuzzerDuring), buz.value(QLatin1String("during")));
    }
    return rows;
}

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // An entry the width cuts short shows its whole name on hover.
    chart->legend()->setShowToolTips(true);
    return chart;
}

void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

// An integer axis from 0 with a tick per whole unit or per round step.
QValueAxis* countAxis(int highest) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    const int top = qMax(1, highest);
    int step = 1;
    // 1, 2, 5, 10, 20, 50, …
    for (int k = 0; top / step > 8; ++k) step = k % 3 == 1 ? step * 5 / 2 : step * 2;
    const int rounded = ((top + step - 1) / step) * step;
    axis->setRange(0, rounded);
    axis->setTickCount(rounded / step + 1);
    return axis;
}

}  // namespace

RecordsViewer::RecordsViewer(records::RecordsSource source, QWidget* parent, qint64 staleAfterSeconds)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("RecordsViewer"));
    setWindowTitle(qs(texts::kViewerTitle));

    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("RecordsViewerQueries"));
    worker_ = new RecordsViewerWorker(std::move(source), staleAfterSeconds);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &RecordsViewerWorker::loaded, this, &RecordsViewer::showResult);
    connect(worker_, &RecordsViewerWorker::detailsLoaded, this, &RecordsViewer::showDetails);
    thread_->start();

    // Filters
    period_ = new QComboBox;
    period_->setObjectName(QStringLiteral("RecordsPeriod"));
    period_->addItem(qs(texts::kViewerToday), Today);
    period_->addItem(qs(texts::kViewerWeek), Week);
    period_->addItem(qs(texts::kViewerMonth), Month);
    period_->addItem(qs(texts::kViewerCustom), Custom);
    const QDate today = QDate::currentDate();
    fromEdit_ = new QDateEdit(today.addDays(-6));
    fromEdit_->setObjectName(QStringLiteral("RecordsFrom"));
    toEdit_ = new QDateEdit(today);
    toEdit_->setObjectName(QStringLiteral("RecordsTo"));
    for (QDateEdit* edit : {fromEdit_, toEdit_}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    }
    fromLabel_ = new QLabel(qs(texts::kViewerFrom));
    toLabel_ = new QLabel(qs(texts::kViewerTo));
    verdict_ = new QComboBox;
    verdict_->setObjectName(QStringLiteral("RecordsVerdict"));
    verdict_->addItem(qs(texts::kViewerAnyVerdict), QString());
    verdict_->addItem(qs(texts::kVerdictsPassed), records::verdictText(records::Verdict::Passed));
    verdict_->addItem(qs(texts::kVerdictsFailed), records::verdictText(records::Verdict::Failed));
    verdict_->addItem(qs(texts::kVerdictsInterrupted), records::verdictText(records::Verdict::Interrupted));
    verdict_->addItem(qs(texts::kVerdictsRunning), records::verdictText(records::Verdict::Running));
    unit_ = new QLineEdit;
    unit_->setObjectName(QStringLiteral("RecordsUnit"));
    unit_->setPlaceholderText(qs(texts::kViewerUnitHint));
    unit_->setClearButtonEnabled(true);
    unit_->setMinimumWidth(200);
    station_ = new QComboBox;
    station_->setObjectName(QStringLiteral("RecordsStation"));
    station_->addItem(qs(texts::kViewerAnyStation), QString());
    station_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    refresh_ = new QPushButton(qs(texts::kViewerRefresh));
    refresh_->setObjectName(QStringLiteral("RecordsRefresh"));

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(qs(texts::kViewerPeriod)));
    filters->addWidget(period_);
    filters->addWidget(fromLabel_);
    filters->addWidget(fromEdit_);
    filters->addWidget(toLabel_);
    filters->addWidget(toEdit_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(qs(texts::kViewerVerdict)));
    filters->addWidget(verdict_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(qs(texts::kViewerUnit)));
    filters->addWidget(unit_, 1);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(qs(texts::kViewerStation)));
    filters->addWidget(station_);
    filters->addSpacing(12);
    filters->addWidget(refresh_);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("RecordsStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The figures
    yield_ = new QLabel;
    yield_->setObjectName(QStringLiteral("RecordsYield"));
    QFont big = yield_->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    yield_->setFont(big);
    // Wrapped, here and below: a long line (a station's, a language's longer
    // words) takes another line instead of widening the window past the screen.
    yield_->setWordWrap(true);
    // Each station's on a line of its own, at the text's size: a line of
    // several stations reads its headline first.
    stationYields_ = new QLabel;
    stationYields_->setObjectName(QStringLiteral("RecordsStationYields"));
    stationYields_->setWordWrap(true);
    QFont bold = stationYields_->font();
    bold.setBold(true);
    stationYields_->setFont(bold);
    stationYields_->hide();
    periodUnits_ = new QLabel;
    periodUnits_->setObjectName(QStringLiteral("RecordsPeriodUnits"));
    periodUnits_->setWordWrap(true);

    hourly_ = new QChartView(newChart(qs(texts::kChartPerHour)));
    hourly_->setObjectName(QStringLiteral("RecordsHourlyChart"));
    hourly_->setRenderHint(QPainter::Antialiasing);
    reasons_ = new QChartView(newChart(qs(texts::kChartReasons)));
    reasons_->setObjectName(QStringLiteral("RecordsReasonsChart"));
    reasons_->setRenderHint(QPainter::Antialiasing);
    auto* charts = new QSplitter(Qt::Horizontal);
    charts->addWidget(hourly_);
    charts->addWidget(reasons_);
    // As the table and the details below: the hours' legend names five
    // verdicts on one line, cut short on a laptop's screen at half the width.
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 2);
    charts->setChildrenCollapsible(false);
    for (QChartView* view : {hourly_, reasons_}) view->setMinimumSize(320, 260);

    // The table and the chosen run
    table_ = new QTableWidget(0, ColumnCount);
    table_->setObjectName(QStringLiteral("RecordsTable"));
    QStringList headers;
    for (const char* header : texts::kRunHeaders) headers << qs(header);
    table_->setHorizontalHeaderLabels(headers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAlternatingRowColors(true);
    shown_ = new QLabel;
    shown_->setObjectName(QStringLiteral("RecordsShown"));
    more_ = new QPushButton(qs(texts::kRunsMore));
    more_->setObjectName(QStringLiteral("RecordsMore"));
    more_->setEnabled(false);
    auto* tableFooter = new QHBoxLayout;
    tableFooter->addWidget(shown_, 1);
    tableFooter->addWidget(more_);
    auto* tableBox = new QWidget;
    auto* tableLayout = new QVBoxLayout(tableBox);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(table_, 1);
    tableLayout->addLayout(tableFooter);

    details_ = new QTableWidget(0, 2);
    details_->setObjectName(QStringLiteral("RecordsDetails"));
    details_->setHorizontalHeaderLabels({qs(texts::kDetailsHeaders[0]), qs(texts::kDetailsHeaders[1])});
    details_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    details_->verticalHeader()->setVisible(false);
    details_->horizontalHeader()->setStretchLastSection(true);
    details_->setWordWrap(true);
    details_->setMinimumWidth(360);

    auto* lower = new QSplitter(Qt::Horizontal);
    lower->addWidget(tableBox);
    lower->addWidget(details_);
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 2);
    lower->setChildrenCollapsible(false);

    auto* figures = new QWidget;
    auto* figuresLayout = new QVBoxLayout(figures);
    figuresLayout->setContentsMargins(0, 0, 0, 0);
    figuresLayout->addWidget(yield_);
    figuresLayout->addWidget(stationYields_);
    figuresLayout->addWidget(periodUnits_);
    figuresLayout->addWidget(charts, 1);
    auto* body = new QSplitter(Qt::Vertical);
    body->addWidget(figures);
    body->addWidget(lower);
    body->setStretchFactor(0, 1);
    body->setStretchFactor(1, 1);
    body->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(status_);
    layout->addWidget(body, 1);

    debounce_ = new QTimer(this);
    debounce_->setSingleShot(true);
    debounce_->setInterval(300);
    connect(debounce_, &QTimer::timeout, this, &RecordsViewer::refresh);
    slow_ = new QTimer(this);
    slow_->setSingleShot(true);
    slow_->setInterval(kSlowMs);
    connect(slow_, &QTimer::timeout, this, [this] {
        if (loading()) setStatus(qs(texts::kViewerStillLoading), false);
    });

    auto customShown = [this] {
        const bool custom = period_->currentData().toInt() == Custom;
        for (QWidget* w : std::initializer_list<QWidget*>{fromLabel_, fromEdit_, toLabel_, toEdit_})
            w->setVisible(custom);
    };
    customShown();
    connect(period_, &QComboBox::currentIndexChanged, this, [this, customShown] {
        customShown();
        refresh();
    });
    connect(verdict_, &QComboBox::currentIndexChanged, this, &RecordsViewer::refresh);
    connect(station_, &QComboBox::currentIndexChanged, this, &RecordsViewer::refresh);
    connect(fromEdit_, &QDateEdit::dateChanged, debounce_, qOverload<>(&QTimer::start));
    connect(toEdit_, &QDateEdit::dateChanged, debounce_, qOverload<>(&QTimer::start));
    connect(unit_, &QLineEdit::textChanged, debounce_, qOverload<>(&QTimer::start));
    connect(refresh_, &QPushButton::clicked, this, &RecordsViewer::refresh);
    connect(more_, &QPushButton::clicked, this, [this] { post(request(shownRuns_, false)); });
    connect(table_, &QTableWidget::itemSelectionChanged, this, &RecordsViewer::selectionChanged);

    showDetails({});
    resize(1280, 860);
    refresh();
}

RecordsViewer::~RecordsViewer() {
    // Nothing waits for a hung database here: the thread ends when its
    // statement does and then cleans up after itself.
    worker_->latest = std::numeric_limits<quint64>::max();
    QThread* thread = thread_;
    RecordsViewerWorker* worker = worker_;
    QMetaObject::invokeMethod(worker, [worker] {
        worker->close();
        QThread::currentThread()->quit();
    });
    if (thread->wait(100)) {
        delete thread;
    } else {
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    }
}

bool RecordsViewer::loading() const { return pending_ != 0 || debounce_->isActive(); }

void RecordsViewer::setPeriod(Period period) { period_->setCurrentIndex(period_->findData(period)); }

void RecordsViewer::setCustomPeriod(const QDate& from, const QDate& to) {
    const QSignalBlocker a(fromEdit_), b(toEdit_), c(period_);
    fromEdit_->setDate(from);
    toEdit_->setDate(to);
    period_->setCurrentIndex(period_->findData(Custom));
    for (QWidget* w : std::initializer_list<QWidget*>{fromLabel_, fromEdit_, toLabel_, toEdit_}) w->setVisible(true);
    refresh();
}

ViewerRequest RecordsViewer::request(int offset, bool figures) {
    ViewerRequest r;
    r.query.from = from_;
    r.query.to = to_;
    r.query.verdict = verdict_->currentData().toString();
    r.query.unitContains = unit_->text().trimmed();
    r.query.station = station_->currentData().toString();
    r.bucket = bucket_;
    const QDate today = QDate::currentDate();
    r.todayFrom = today.startOfDay();
    r.todayTo = today.addDays(1).startOfDay();
    r.limit = kPageSize;
    r.offset = offset;
    r.figures = figures;
    return r;
}

void RecordsViewer::refresh() {
    debounce_->stop();
    const QDate today = QDate::currentDate();
    QDate first = today;
    QDate last = today;
    switch (period_->currentData().toInt()) {
        case Today:
            break;
        case Week:
            first = today.addDays(-6);
            break;
        case Month:
            first = today.addDays(-29);
            break;
        case Custom:
            first = qMin(fromEdit_->date(), toEdit_->date());
            last = qMax(fromEdit_->date(), toEdit_->date());
            break;
    }
    from_ = first.startOfDay();
    to_ = last.addDays(1).startOfDay();
    // One day reads by the hour; longer periods by the day, or the bars get
    // too thin to read.
    bucket_ = first == last ? records::Bucket::Hour : records::Bucket::Day;
    post(request(0, true));
}

void RecordsViewer::post(const ViewerRequest& base) {
    ViewerRequest r = base;
    r.serial = ++serial_;
    pending_ = r.serial;
    worker_->latest = r.serial;
    more_->setEnabled(false);
    if (!slow_->isActive()) setStatus(qs(texts::kViewerLoading), false);
    slow_->start();
    RecordsViewerWorker* worker = worker_;
    QMetaObject::invokeMethod(worker, [worker, r] { worker->load(r); });
}

void RecordsViewer::setStatus(const QString& text, bool error) {
    status_->setText(text);
    status_->setStyleSheet(error ? QStringLiteral("color: #c62828;") : QString());
}

void RecordsViewer::showResult(const ViewerResult& result) {
    if (result.serial != pending_) return;
    pending_ = 0;
    slow_->stop();
    if (!result.ok) {
        setStatus(result.error, true);
        if (result.figures) {
            // Nothing old stays on view as if it were the answer.
            ViewerResult empty;
            showFigures(empty);
            // Hidden, not only emptied: its large line would stay as a gap.
            yield_->clear();
            yield_->hide();
            stationYields_->clear();
            stationYields_->hide();
            periodUnits_->clear();
            table_->setRowCount(0);
            shownRuns_ = totalRuns_ = 0;
            shown_->clear();
            showDetails({});
        }
        more_->setEnabled(shownRuns_ < totalRuns_);
        emit loaded();
        return;
    }
    setStatus(qs(texts::kViewerSource).arg(result.source) + QStringLiteral("  ·  ") +
                  qs(texts::kViewerUpdated).arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))),
              false);
    if (result.figures) showFigures(result);
    appendRuns(result);
    emit loaded();
}

void RecordsViewer::showFigures(const ViewerResult& result) {
    const QLocale locale;
    auto percent = [&](std::optional<double> value) { return value ? locale.toString(*value, 'f', 1) : QStringLiteral("—"); };
    const records::VerdictCounts& t = result.today;
    QString headline;
    if (t.yieldPercent()) {
        headline = qs(texts::kYield)
                       .arg(percent(t.yieldPercent()), percent(t.firstPassPercent()), locale.toString(t.passed),
                            locale.toString(t.failed), locale.toString(t.rework), locale.toString(t.interrupted),
                            locale.toString(t.withoutNews));
    } else {
        headline = qs(texts::kYieldNone).arg(locale.toString(t.interrupted), locale.toString(t.withoutNews));
    }
    QStringList perStation;
    for (const auto& [name, c] : result.todayPerStation)
        perStation << qs(texts::kYieldStation)
                        .arg(name, percent(c.yieldPercent()), percent(c.firstPassPercent()), locale.toString(c.passed),
                             locale.toString(c.failed), locale.toString(c.rework), locale.toString(c.interrupted),
                             locale.toString(c.withoutNews));
    yield_->setText(headline);
    yield_->show();
    stationYields_->setText(perStation.join(u'\n'));
    stationYields_->setVisible(!perStation.isEmpty());
    const records::VerdictCounts& p = result.period;
    periodUnits_->setText(qs(texts::kPeriodUnits)
                              .arg(locale.toString(p.total()), locale.toString(p.passed), locale.toString(p.failed),
                                   locale.toString(p.interrupted), locale.toString(p.running),
                                   locale.toString(p.withoutNews), locale.toString(p.firstPass),
                                   locale.toString(p.rework)));

    // The stations of the period, keeping the one chosen.
    const QString chosen = station_->currentData().toString();
    {
        const QSignalBlocker block(station_);
        station_->clear();
        station_->addItem(qs(texts::kViewerAnyStation), QString());
        QStringList stations = result.stations;
        if (!chosen.isEmpty() && !stations.contains(chosen)) stations << chosen;
        for (const QString& s : stations) station_->addItem(s, s);
        station_->setCurrentIndex(qMax(0, station_->findData(chosen)));
    }
    showHourly(result);
    showReasons(result);
    table_->setRowCount(0);
    shownRuns_ = 0;
    showDetails({});
}

void RecordsViewer::showHourly(const ViewerResult& result) {
    const bool hourly = bucket_ == records::Bucket::Hour;
    QChart* chart = newChart(qs(hourly ? texts::kChartPerHour : texts::kChartPerDay));
    // Passed first time and after rework, failed, interrupted, without news:
    // every unit of the hour in its one bar.
    struct Part {
        QBarSet* set;
        int (*of)(const records::VerdictCounts&);
    };
    const Part parts[] = {
        {new QBarSet(qs(texts::kVerdictsFirstPass)), [](const records::VerdictCounts& c) { return c.firstPass; }},
        {new QBarSet(qs(texts::kVerdictsReworked)),
         [](const records::VerdictCounts& c) { return c.passed - c.firstPass; }},
        {new QBarSet(qs(texts::kVerdictsFailed)), [](const records::VerdictCounts& c) { return c.failed; }},
        {new QBarSet(qs(texts::kVerdictsInterrupted)), [](const records::VerdictCounts& c) { return c.interrupted; }},
        {new QBarSet(qs(texts::kVerdictsWithoutNews)), [](const records::VerdictCounts& c) { return c.withoutNews; }},
    };
    const QColor colors[] = {kPassedColor, kPassedColor.lighter(150), kFailedColor, kInterruptedColor,
                             QColor(0x75, 0x75, 0x75)};
    for (std::size_t i = 0; i < std::size(parts); ++i) {
        parts[i].set->setColor(colors[i]);
        parts[i].set->setBorderColor(colors[i]);
    }
    QStringList categories;
    // Every hour or day of the period gets its bar, empty ones too, so the
    // axis reads as time.
    auto bucket = result.buckets.begin();
    int highest = 0;
    for (QDateTime at = from_; at.isValid() && at < to_; at = hourly ? at.addSecs(3600) : at.addDays(1)) {
        const QDateTime next = hourly ? at.addSecs(3600) : at.addDays(1);
        records::VerdictCounts in;
        while (bucket != result.buckets.end() && bucket->start < next) {
            if (bucket->start >= at) in += bucket->units;
            ++bucket;
        }
        int height = 0;
        for (const Part& part : parts) {
            *part.set << part.of(in);
            height += part.of(in);
        }
        highest = qMax(highest, height);
        categories << (hourly ? qs(texts::kHourLabel).arg(at.time().hour())
                              : at.date().toString(QStringLiteral("dd/MM")));
        if (categories.size() > 400) break;  // a custom year reads by the day: enough
    }
    auto* series = new QStackedBarSeries;
    for (const Part& part : parts) series->append(part.set);
    series->setBarWidth(0.8);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    if (categories.size() > 16) x->setLabelsAngle(-90);
    QFont small = x->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    x->setLabelsFont(small);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    QValueAxis* y = countAxis(highest);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    replaceChart(hourly_, chart);
}

void RecordsViewer::showReasons(const ViewerResult& result) {
    QChart* chart =
        newChart(result.reasons.empty() && result.ok ? qs(texts::kChartNoReasons) : qs(texts::kChartReasons));
    chart->legend()->setVisible(false);
    auto* set = new QBarSet(qs(texts::kChartUnits));
    set->setColor(kFailedColor);
    set->setBorderColor(kFailedColor);
    QStringList categories;
    QStringList whole;
    int highest = 0;
    // The axis runs bottom-up: the most frequent reason goes in last, on top.
    const int count = qMin<int>(kReasonsShown, static_cast<int>(result.reasons.size()));
    for (int i = count - 1; i >= 0; --i) {
        const records::ReasonCount& r = result.reasons[static_cast<std::size_t>(i)];
        const QString title = r.kind.isEmpty() && r.reason.isEmpty() ? qs(texts::kNoReason) : words::title(r.kind, r.reason);
        QString label = elided(title.simplified(), kReasonWidth);
        // Categories must be unique; two reasons alike up to the cut are told apart.
        while (categories.contains(label)) label += QLatin1Char(' ');
        categories << label;
        whole << title;
        *set << r.units;
        highest = qMax(highest, r.units);
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    set->setLabelColor(Qt::white);
    // A reason cut to fit is read whole by pointing at its bar.
    connect(series, &QAbstractBarSeries::hovered, reasons_, [whole](bool on, int index, QBarSet*) {
        if (on && index >= 0 && index < whole.size())
            QToolTip::showText(QCursor::pos(), whole[index]);
        else
            QToolTip::hideText();
    });
    chart->addSeries(series);
    auto* y = new QBarCategoryAxis;
    y->append(categories);
    QFont small = y->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    y->setLabelsFont(small);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    QValueAxis* x = countAxis(highest);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    replaceChart(reasons_, chart);
}

void RecordsViewer::appendRuns(const ViewerResult& result) {
    const QLocale locale;
    totalRuns_ = result.totalRuns;
    int row = table_->rowCount();
    table_->setRowCount(row + static_cast<int>(result.runs.size()));
    for (const records::RunSummary& run : result.runs) {
        auto set = [&](int column, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            item->setData(Qt::UserRole, run.id);
            table_->setItem(row, column, item);
            return item;
        };
        set(ColStarted, localTime(run.startedAt));
        set(ColUnit, orDash(run.unitId));
        set(ColStation, run.station);
        set(ColPort, run.port);
        set(ColFirmware, firmwareStep(run.firmwareBefore, run.firmwareAfter));
        QTableWidgetItem* verdict = set(ColVerdict, verdictShown(run));
        if (const QColor color = verdictColor(run); color.isValid()) verdict->setForeground(color);
        set(ColReason, reasonShown(run));
        ++row;
    }
    shownRuns_ = row;
    if (result.offset == 0) table_->resizeColumnsToContents();
    shown_->setText(qs(texts::kRunsShown).arg(locale.toString(shownRuns_), locale.toString(totalRuns_)));
    more_->setEnabled(shownRuns_ < totalRuns_);
}

void RecordsViewer::selectionChanged() {
    const QList<QTableWidgetItem*> items = table_->selectedItems();
    if (items.isEmpty()) {
        showDetails({});
        return;
    }
    const QString id = items.front()->data(Qt::UserRole).toString();
    const quint64 serial = ++detailsSerial_;
    RecordsViewerWorker* worker = worker_;
    QMetaObject::invokeMethod(worker, [worker, serial, id] { worker->loadDetails(serial, id); });
}

void RecordsViewer::showDetails(const ViewerDetails& details) {
    if (details.serial != detailsSerial_ && details.serial != 0) return;
    details_->setRowCount(0);
    auto add = [this](const QString& label, const QString& value, bool heading = false) {
        const int row = details_->rowCount();
        details_->insertRow(row);
        auto* l = new QTableWidgetItem(label);
        auto* v = new QTableWidgetItem(value);
        if (heading) {
            QFont bold = l->font();
            bold.setBold(true);
            l->setFont(bold);
            details_->setSpan(row, 0, 1, 2);
        }
        details_->setItem(row, 0, l);
        details_->setItem(row, 1, v);
        return v;
    };
    if (details.serial == 0 || details.run.summary.id.isEmpty()) {
        details_->clearSpans();
        if (!details.error.isEmpty())
            add(details.error, QString(), true)->setForeground(kFailedColor);
        else
            add(qs(texts::kDetailsNone), QString(), true);
        details_->resizeRowsToContents();
        if (details.serial != 0) emit detailsShown();
        return;
    }
    details_->clearSpans();
    const records::RunDetails& d = details.run;
    const records::RunSummary& r = d.summary;
    add(qs(texts::kDetailsVerdict), r.stale ? qs(texts::kDetailsStale) : verdictShown(r))
        ->setForeground(verdictColor(r).isValid() ? verdictColor(r) : palette().text().color());
    if (!r.failureReason.isEmpty()) add(qs(texts::kDetailsReason), reasonShown(r));
    add(qs(texts::kDetailsUnit), orDash(r.unitId));
    if (d.unitType >= 0) add(qs(texts::kDetailsType), QString::number(d.unitType));
    add(qs(texts::kDetailsFirmware), firmwareStep(r.firmwareBefore, r.firmwareAfter));
    if (!d.firmwareTarget.isEmpty()) add(qs(texts::kDetailsFirmwareTarget), d.firmwareTarget);
    QString verify = qs(texts::kVerifyNotDone);
    if (d.verify == records::verifyText(records::Verify::Result::Match)) verify = qs(texts::kVerifyMatch);
    if (d.verify == records::verifyText(records::Verify::Result::Mismatch))
        verify = qs(texts::kVerifyMismatch).arg(d.verifyOffset);
    add(qs(texts::kDetailsVerify), verify);
    QString qr = qs(texts::kQrNone);
    if (d.qrMatch) qr = qs(*d.qrMatch ? texts::kQrMatch : texts::kQrMismatch).arg(orDash(d.qrLabel));
    add(qs(texts::kDetailsQr), qr);
    add(qs(texts::kDetailsStarted), localTime(r.startedAt));
    add(qs(texts::kDetailsEnded), localTime(r.endedAt));
    add(qs(texts::kDetailsStation), r.station);
    add(qs(texts::kDetailsPort), r.port);
    add(qs(texts::kDetailsRun), r.id);
    if (!d.configSource.isEmpty()) add(qs(texts::kDetailsConfigSource), d.configSource);
    if (!d.configSha256.isEmpty()) add(qs(texts::kDetailsConfigSha), d.configSha256);
    if (d.beforeImageKept)
        add(qs(texts::kDetailsBeforeImage), qs(*d.beforeImageKept ? texts::kBeforeKept : texts::kBeforeNotKept));
    add(qs(texts::kDetailsConfig), QString(), true);
    if (d.configJson.isEmpty()) {
        add(qs(texts::kConfigNone), QString(), true);
    } else {
        const auto rows = configRows(d.configJson);
        if (rows.empty()) add(qs(texts::kConfigUnreadable), QString(), true);
        for (const auto& [label, value] : rows) add(label, value);
    }
    details_->resizeColumnToContents(0);
    // Headings span both columns and would otherwise widen the first.
    details_->setColumnWidth(0, qMin(details_->columnWidth(0), details_->viewport()->width() / 2));
    details_->resizeRowsToContents();
    emit detailsShown();
}

void openRecordsViewer(QWidget* parent, const QString& url) {
    auto* viewer = new RecordsViewer(records::RecordsSource{url, {}}, parent);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

}  // namespace vek::app
