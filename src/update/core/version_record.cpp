#include "update/core/version_record.h"

#include <cstdio>

namespace vek::update {

namespace {

constexpr std::string_view kOpening = "#*$(";
constexpr std::string_view kMiddle = "@@";
constexpr std::string_view kClosing = ")$*#";
// Offsets inside the record.
constexpr std::size_t kFirstCopy = 4;
constexpr std::size_t kCopyLength = 11;  // "MMM.mmm.RRR"
constexpr std::size_t kMiddleAt = kFirstCopy + kCopyLength;
constexpr std::size_t kSecondCopy = kMiddleAt + 2;
constexpr std::size_t kClosingAt = kSecondCopy + kCopyLength;

constexpr const char* kFileNameFormat = "VekTool v%d.%d.%c.exe";
constexpr std::string_view kVersionFilePath = "/files/vektool.ver";
constexpr std::string_view kDownloadFolder = "/files/";
constexpr std::string_view kProductPagePath = "/vek";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Three decimal digits at `at`, or -1.
int threeDigits(std::string_view text, std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 3; ++i) {
        if (!isDigit(text[i])) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string joined(std::string_view host, std::string_view path) {
    std::string address(host);
    address += path;
    return address;
}

}  // namespace

std::size_t bodyLength(std::string_view body) {
    std::size_t count = 0;
    for (char c : body) {
        // Continuation bytes of a multi-byte character are not counted.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::optional<Release> parseVersionRecord(std::string_view body) {
    // A server that sends the bare record, with no line end and no markup
    // around it, serves a body of exactly the record: that body is checked
    // like any other.
    const std::size_t length = bodyLength(body);
    if (length < kRecordLength || length >= kMaxBodyLength) return std::nullopt;

    const std::size_t hash = body.find('#');
    if (hash == std::string_view::npos) return std::nullopt;
    if (body.size() - hash < kRecordLength) return std::nullopt;
    const std::string_view record = body.substr(hash, kRecordLength);

    if (record.substr(0, kOpening.size()) != kOpening) return std::nullopt;
    if (record.substr(kMiddleAt, kMiddle.size()) != kMiddle) return std::nullopt;
    if (record.substr(kClosingAt, kClosing.size()) != kClosing) return std::nullopt;
    if (record.substr(kFirstCopy, kCopyLength) != record.substr(kSecondCopy, kCopyLength)) {
        return std::nullopt;
    }
    if (record[kFirstCopy + 3] != '.' || record[kFirstCopy + 7] != '.') return std::nullopt;

    const int major = threeDigits(record, kFirstCopy);
    const int minor = threeDigits(record, kFirstCopy + 4);
    const int revision = threeDigits(record, kFirstCopy + 8);
    // The second copy is equal character for character, so its digits are
    // checked with the first.
    if (major < 0 || minor < 0 || revision < 0) return std::nullopt;
    return Release{major, minor, revision};
}

std::optional<std::string> downloadFileName(const Release& release) {
    const int r = release.revision;
    const bool letter = (r >= 'A' && r <= 'Z') || (r >= 'a' && r <= 'z');
    if (!letter) return std::nullopt;
    char name[64];
    const int n = std::snprintf(name, sizeof name, kFileNameFormat, release.major, release.minor,
                                static_cast<char>(r));
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof name) return std::nullopt;
    return std::string(name, static_cast<std::size_t>(n));
}

std::string versionFileAddress(std::string_view host) { return joined(host, kVersionFilePath); }

std::string downloadAddress(std::string_view host, const std::string& fileName) {
    return joined(host, kDownloadFolder) + fileName;
}

std::string productPageAddress(std::string_view host) { return joined(host, kProductPagePath); }

VersionCheck checkVersionBody(std::string_view body) {
    VersionCheck check;
    const std::optional<Release> release = parseVersionRecord(body);
    if (!release) return check;
    check.serverVersion = *release;
    if (*release == toolVersion) {
        check.result = CheckResult::Current;
        return check;
    }
    const std::optional<std::string> name = downloadFileName(*release);
    if (!name) return check;
    check.result = CheckResult::Different;
    check.fileName = *name;
    return check;
}

UpdateSteps::Action UpdateSteps::tick() {
    if (finished_) return Action::None;
    switch (updateStep_) {
    case kNavigateStep:
        updateStep_ = kNavigateStep + 1;
        return Action::Navigate;
    case kCheckStep:
        return Action::Check;
    case kLastStep:
        updateStep_ = 0;
        return Action::None;
    default:
        ++updateStep_;
        return Action::None;
    }
}

void UpdateSteps::checked(CheckResult result) {
    if (finished_ || updateStep_ != kCheckStep) return;
    switch (result) {
    case CheckResult::NotComplete:
        updateStep_ = kNotCompleteStep;
        break;
    case CheckResult::Mismatch:
        updateStep_ = 0;
        break;
    case CheckResult::Current:
    case CheckResult::Different:
        finished_ = true;
        break;
    }
}

}  // namespace vek::update
