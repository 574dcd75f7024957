#pragma once
// The production panel's capture of a QR label read by a scanner that types
// like a keyboard: 24 hexadecimal digits in a fast burst. Two rules make it
// safe next to a person at the same keyboard:
//
// - A pause longer than kBurstGapMs between two digits starts a new capture,
//   so digits typed by hand earlier never shift a scan. A scanner in keyboard
//   mode sends a digit every few milliseconds (a press and a release, two
//   USB reports 1 to 10 ms apart), unless it was set up with a delay between
//   characters; a person needs 100 ms or more between most keys, and only
//   the odd pair of fast keys comes closer than 50 ms.
// - While the focus is in a field that takes typing, digits are held back
//   for kBurstGapMs before they reach it. kBurstKeys digits in a row, each
//   within the gap, are a scan: none of them reaches the field, nor do the
//   scan's remaining keys (a closing Enter or Tab included). Fewer are a
//   person typing: they reach the field, in order, a few milliseconds late.
//
// Otherwise the capture keeps its rules: main-keyboard digits and the letters
// A to F (either case, taken upper-case) count, with Ctrl or from the keypad
// they do not, and other keys neither count nor reset anything.

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QTimer;
class QWidget;

namespace vek::app {

class QrCapture : public QObject {
    Q_OBJECT
public:
    static constexpr int kBurstGapMs = 50;
    static constexpr int kBurstKeys = 4;
    static constexpr int kDigits = 24;

    // `captured` receives each complete capture.
    QrCapture(std::function<void(const QString&)> captured, QObject* parent);
    ~QrCapture() override;

    // Whether a key press is one the capture takes.
    static bool takes(int key, Qt::KeyboardModifiers modifiers);
    // A key the capture takes, pressed at `ms` (any steady clock in ms).
    void key(int key, qint64 ms);

    // For every key meant for the window, at the widget that has the focus:
    // true when it is held back or dropped instead of reaching `target`.
    bool filter(QWidget* target, QKeyEvent* event, qint64 ms);
    // A held key is being delivered late: it was counted already.
    bool replaying() const { return replaying_; }
    // Keys are held back from a field while they might begin a scan.
    bool holding() const { return !held_.empty(); }

    // The digits captured so far.
    QString pending() const { return QString::fromLatin1(capture_.data(), position_); }

    // Milliseconds for a key event: the window system's own time of the key
    // when it gives one, so that a busy moment of the window does not look
    // like a pause of the typist; else the moment it is handled.
    qint64 timeOf(const QKeyEvent* event);

private:
    static bool takesTyping(const QWidget* target);
    void deliverHeld();

    std::function<void(const QString&)> captured_;
    std::array<char, kDigits + 1> capture_{};
    int position_ = 0;
    qint64 lastKeyAt_ = 0;
    bool anyKey_ = false;

    // Keys held back from a typing field.
    struct Held {
        QPointer<QWidget> target;
        std::unique_ptr<QKeyEvent> event;
    };
    std::vector<Held> held_;
    qint64 lastHeldAt_ = 0;
    bool burst_ = false;
    bool replaying_ = false;
    QTimer* release_;

    QElapsedTimer clock_;
    bool lastHadStamp_ = false;
    qint64 lastStamp_ = 0;
    qint64 lastClock_ = 0;
    qint64 offset_ = 0;
};

}  // namespace vek::app
