#include "words/words.h"

#include "config/config_image.h"
#include "config/record_layout.h"
#include "text/language.h"
#include "words/words_texts.h"

namespace vek::words {

namespace {

QString tr(Text text) { return vek::translated(text); }

QString string(const Failure& f, const char* name) { return f.values.value(QLatin1String(name)).toString(); }

QString number(const Failure& f, const char* name) {
    const QJsonValue v = f.values.value(QLatin1String(name));
    return v.isDouble() ? QString::number(v.toInteger()) : v.toString();
}

QString hex(const Failure& f, const char* name) {
    return QStringLiteral("%1").arg(f.values.value(QLatin1String(name)).toInteger(), 2, 16, QLatin1Char('0')).toUpper();
}

session::Operation operationOf(const Failure& f) {
    const QString op = string(f, key::kOperation);
    for (const auto o : {session::Operation::Firmware, session::Operation::Write, session::Operation::Read,
                         session::Operation::Verify})
        if (op == operationKey(o)) return o;
    return session::Operation::None;
}

// After a transfer or a read stopped before its end: what the unit is left
// with decides what to do.
QString afterCut(session::Operation operation) {
    switch (operation) {
        case session::Operation::Firmware: return tr(texts::kNextFirmwareCut);
        case session::Operation::Write: return tr(texts::kNextWriteCut);
        case session::Operation::Verify: return tr(texts::kNextVerifyCut);
        case session::Operation::Read: return tr(texts::kNextReadCut);
        case session::Operation::None: break;
    }
    return {};
}

// A field's name as the write's refusal names it, from its file key.
QString fieldName(const QString& field) {
    for (const config::layout::FieldRule& r : config::layout::kRules)
        if (field == QLatin1String(r.key)) return tr(r.writeName);
    return field;
}

QString counted(Text pattern, const Failure& f) {
    return tr(pattern).arg(during(operationOf(f)), number(f, key::kNacks), number(f, key::kCode10),
                           number(f, key::kCode15), number(f, key::kCode20));
}

}  // namespace

QString during(session::Operation operation) {
    switch (operation) {
        case session::Operation::Firmware: return tr(texts::kDuringFirmware);
        case session::Operation::Write: return tr(texts::kDuringWrite);
        case session::Operation::Read: return tr(texts::kDuringRead);
        case session::Operation::Verify: return tr(texts::kDuringVerify);
        case session::Operation::None: break;
    }
    return {};
}

QString title(const QString& kind, const QString& reason) {
    using session::Kind;
    if (kind == QLatin1String(kDuplicateId)) return tr(texts::kTitleDuplicateId);
    if (kind == QLatin1String(kNotRecorded)) return tr(texts::kTitleNotRecorded);
    const std::optional<Kind> k = kindNamed(kind);
    if (!k) return reason.isEmpty() ? (kind.isEmpty() || kind == QLatin1String(kOther) ? tr(texts::kTitleNoReason) : kind)
                                    : reason;
    switch (*k) {
        case Kind::Ok: break;
        case Kind::NoUnit: return tr(texts::kTitleNoUnit);
        case Kind::PortLost: return tr(texts::kTitlePortLost);
        case Kind::Timeout: return tr(texts::kTitleTimeout);
        case Kind::OperationMode: return tr(texts::kTitleOperationMode);
        case Kind::TypeLeftAlone: return tr(texts::kTitleTypeLeftAlone);
        case Kind::Discontinued: return tr(texts::kTitleDiscontinued);
        case Kind::NeedsFirmware: return tr(texts::kTitleNeedsFirmware);
        case Kind::FirmwareNotTaken: return tr(texts::kTitleFirmwareNotTaken);
        case Kind::DidNotReturn: return tr(texts::kTitleDidNotReturn);
        case Kind::OtherUnitReturned: return tr(texts::kTitleOtherUnitReturned);
        case Kind::InvalidConfiguration: return tr(texts::kTitleInvalidConfiguration);
        case Kind::Refused: return tr(texts::kTitleRefused);
        case Kind::ReadBackDiffers: return tr(texts::kTitleReadBackDiffers);
        case Kind::Interrupted: return tr(texts::kTitleInterrupted);
        case Kind::Busy: return tr(texts::kTitleBusy);
        case Kind::OtherUnit: return tr(texts::kTitleOtherUnit);
        case Kind::NotIdentified: return tr(texts::kTitleNotIdentified);
        case Kind::CopyNotKept: return tr(texts::kTitleCopyNotKept);
        case Kind::InvalidCopy: return tr(texts::kTitleInvalidCopy);
    }
    return kind;
}

QString cause(const Failure& f) {
    using session::Kind;
    if (f.kind == QLatin1String(kDuplicateId)) return tr(texts::kDuplicateId).arg(string(f, key::kOtherPort));
    if (f.kind == QLatin1String(kNotRecorded)) return tr(texts::kNotRecorded).arg(string(f, key::kWhy));
    const std::optional<Kind> kind = kindNamed(f.kind);
    if (!kind) {
        // A sentence kept from before kinds, or a kind of a newer station.
        const QString text = string(f, key::kText);
        return text.isEmpty() ? f.kind : text;
    }
    const session::Operation operation = operationOf(f);
    switch (*kind) {
        case Kind::Ok: return {};
        case Kind::NoUnit: return tr(texts::kNoUnit);
        case Kind::PortLost:
            if (operation == session::Operation::None) return tr(texts::kPortLost);
            if (!f.values.contains(QLatin1String(key::kNacks)))
                return tr(texts::kPortLostDuringUncounted).arg(during(operation));
            return counted(texts::kPortLostDuring, f);
        case Kind::Timeout:
            if (!f.values.contains(QLatin1String(key::kNacks)))
                return tr(texts::kTimeoutDuringUncounted).arg(during(operation));
            return counted(texts::kTimeoutDuring, f);
        case Kind::OperationMode: return tr(texts::kOperationMode);
        case Kind::TypeLeftAlone: return tr(texts::kTypeLeftAlone).arg(number(f, key::kType));
        case Kind::Discontinued: return tr(texts::kDiscontinued).arg(number(f, key::kType));
        case Kind::NeedsFirmware: return tr(texts::kNeedsFirmware);
        case Kind::FirmwareNotTaken: return tr(texts::kFirmwareNotTaken).arg(string(f, key::kVersion));
        case Kind::DidNotReturn: return tr(texts::kDidNotReturn);
        case Kind::OtherUnitReturned:
            return tr(texts::kOtherUnitReturned).arg(string(f, key::kReturned), string(f, key::kUnit));
        case Kind::InvalidConfiguration: return tr(texts::kInvalidConfiguration);
        case Kind::Refused: {
            const QString field = fieldName(string(f, key::kField));
            if (!f.values.contains(QLatin1String(key::kValue))) return tr(texts::kRefusedField).arg(field);
            if (!f.values.contains(QLatin1String(key::kMin))) {
                const QString value = string(f, key::kValue);
                return value.isEmpty() ? tr(texts::kRefusedChoice).arg(field) : tr(texts::kRefused).arg(field, value);
            }
            return tr(texts::kRefusedAllowed)
                .arg(field, string(f, key::kValue), number(f, key::kMin), number(f, key::kMax),
                     string(f, key::kUnitOfMeasure));
        }
        case Kind::ReadBackDiffers:
            return tr(texts::kReadBackDiffers).arg(number(f, key::kOffset), hex(f, key::kWrote), hex(f, key::kRead));
        case Kind::Interrupted: {
            const QString by = string(f, key::kBy);
            if (by == QLatin1String(kByStationGone)) return tr(texts::kStationGone);
            if (by == QLatin1String(kByOperator))
                return operation == session::Operation::None ? tr(texts::kStoppedByOperator)
                                                             : tr(texts::kStoppedByOperatorDuring).arg(during(operation));
            return operation == session::Operation::None ? tr(texts::kInterrupted)
                                                         : tr(texts::kInterruptedDuring).arg(during(operation));
        }
        case Kind::Busy: return tr(texts::kBusy);
        case Kind::OtherUnit: return tr(texts::kOtherUnit);
        case Kind::NotIdentified: return tr(texts::kNotIdentified);
        case Kind::CopyNotKept: return tr(texts::kCopyNotKept).arg(string(f, key::kWhere), string(f, key::kWhy));
        case Kind::InvalidCopy: return tr(texts::kInvalidCopy);
    }
    return f.kind;
}

QString nextStep(const Failure& f, Reader reader) {
    using session::Kind;
    const bool cli = reader == Reader::CommandLine;
    if (f.kind == QLatin1String(kDuplicateId)) return tr(texts::kNextDuplicateId);
    if (f.kind == QLatin1String(kNotRecorded)) return tr(texts::kNextNotRecorded);
    const std::optional<Kind> kind = kindNamed(f.kind);
    if (!kind) return {};
    switch (*kind) {
        case Kind::NoUnit: return tr(texts::kNextCheckCable);
        case Kind::PortLost:
        case Kind::Timeout:
        case Kind::Interrupted: {
            const session::Operation operation = operationOf(f);
            if (operation != session::Operation::None) return afterCut(operation);
            return *kind == Kind::Interrupted ? QString() : tr(texts::kNextReconnect);
        }
        case Kind::OperationMode: return tr(texts::kNextOperationMode);
        case Kind::Discontinued: return tr(texts::kNextDiscontinued);
        case Kind::NeedsFirmware: return tr(cli ? texts::kNextNeedsFirmwareCli : texts::kNextNeedsFirmware);
        case Kind::FirmwareNotTaken: return tr(texts::kNextFirmwareAgain);
        case Kind::DidNotReturn: return tr(texts::kNextDidNotReturn);
        case Kind::OtherUnitReturned: return tr(texts::kNextOtherUnitReturned).arg(string(f, key::kUnit));
        case Kind::InvalidConfiguration:
            return tr(cli ? texts::kNextInvalidConfigurationCli : texts::kNextInvalidConfiguration);
        case Kind::Refused: return tr(texts::kNextRefused);
        case Kind::ReadBackDiffers: return tr(texts::kNextWriteAgain);
        case Kind::Busy: return tr(texts::kNextBusy);
        case Kind::OtherUnit: return tr(texts::kNextOtherUnit);
        case Kind::NotIdentified: return tr(texts::kNextNotIdentified);
        case Kind::CopyNotKept: return tr(cli ? texts::kNextCopyNotKeptCli : texts::kNextCopyNotKept);
        case Kind::InvalidCopy: return tr(cli ? texts::kNextInvalidCopyCli : texts::kNextInvalidCopy);
        case Kind::Ok:
        case Kind::TypeLeftAlone: break;
    }
    return {};
}

Failure withoutCounters(Failure f) {
    for (const char* counter : {key::kNacks, key::kCode10, key::kCode15, key::kCode20})
        f.values.remove(QLatin1String(counter));
    return f;
}

QString sentence(const Failure& f, Reader reader) {
    const QString next = nextStep(f, reader);
    return next.isEmpty() ? cause(f) : tr(texts::kWithNextStep).arg(cause(f), next);
}

std::optional<Box> box(const session::Outcome& o) {
    using session::Kind;
    using session::Operation;
    if (o.kind == Kind::Refused && o.fault) {
        // The refusal as it has always read, and what the field takes on a
        // line of its own.
        QString text = QString::fromStdString(config::faultMessage(*o.fault));
        if (const std::string allowed = config::allowedText(*o.fault); !allowed.empty())
            text += QStringLiteral("\r\n") + QString::fromStdString(allowed);
        return Box{text, tr(texts::kFaultCaption), BoxIcon::Warning};
    }
    if (o.kind != Kind::PortLost && o.kind != Kind::Timeout) return std::nullopt;
    const bool closed = o.kind == Kind::PortLost;
    switch (o.operation) {
        case Operation::Firmware:
        case Operation::Write:
            if (closed) return Box{tr(texts::kNoConnection), tr(texts::kCaptionTransferClosed)};
            return Box{tr(texts::kTransferFailed)
                           .arg(o.counters.Nacks)
                           .arg(o.counters.Code10)
                           .arg(o.counters.Code15)
                           .arg(o.counters.Code20),
                       tr(texts::kCaptionTransferFailed)};
        case Operation::Read:
        case Operation::Verify:
            if (closed) return Box{tr(texts::kNoConnection), tr(texts::kCaptionReadClosed)};
            return Box{tr(texts::kReadFailed), tr(texts::kCaptionReadFailed), BoxIcon::Warning};
        case Operation::None: break;
    }
    return std::nullopt;
}

}  // namespace vek::words
