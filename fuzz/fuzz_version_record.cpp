// The version file body as the web server (or anything in between) may
// deliver it, and the step counter the check runs on.
//
// Input: the body text itself. Its bytes also drive the step counter: each
// byte is a tick, and on a check step its value picks what the page showed.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "update/core/version_record.h"

using namespace vek::update;

namespace {

bool isLetter(int r) { return (r >= 'A' && r <= 'Z') || (r >= 'a' && r <= 'z'); }

// The record a release is written as, with the line end a served file
// usually has.
std::string recordFor(const Release& r) {
    char copy[16];
    std::snprintf(copy, sizeof copy, "%03d.%03d.%03d", r.major, r.minor, r.revision);
    return std::string("#*$(") + copy + "@@" + copy + ")$*#\n";
}

void checkRelease(const Release& r) {
    for (int v : {r.major, r.minor, r.revision}) FUZZ_CHECK(v >= 0 && v <= 999);

    // Written back as a record, it reads as itself.
    const auto again = parseVersionRecord(recordFor(r));
    FUZZ_CHECK(again && *again == r);

    const auto name = downloadFileName(r);
    FUZZ_CHECK(name.has_value() == isLetter(r.revision));
    if (name) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "VekTool v%d.%d.%c.exe", r.major, r.minor, r.revision);
        FUZZ_CHECK(*name == expected);
        // Nothing in the name may change the address it is put into.
        for (char c : *name) {
            FUZZ_CHECK(c >= ' ' && c != 0x7F);
            FUZZ_CHECK(c != '/' && c != '\\' && c != '?' && c != '#' && c != '%');
        }
        const std::string address = downloadAddress(kDefaultHost, *name);
        FUZZ_CHECK(address.size() > name->size());
        FUZZ_CHECK(address.compare(0, kDefaultHost.size(), kDefaultHost) == 0);
        FUZZ_CHECK(address.compare(address.size() - name->size(), name->size(), *name) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);

    FUZZ_CHECK(bodyLength(body) <= body.size());
    const auto release = parseVersionRecord(body);
    const VersionCheck check = checkVersionBody(body);

    if (!release) {
        FUZZ_CHECK(check.result == CheckResult::Mismatch);
        FUZZ_CHECK(check.fileName.empty());
    } else {
        checkRelease(*release);
        FUZZ_CHECK(check.serverVersion == *release);
        const std::size_t hash = body.find('#');
        FUZZ_CHECK(hash != std::string_view::npos && body.size() - hash >= kRecordLength);
        const std::size_t length = bodyLength(body);
        FUZZ_CHECK(length >= kRecordLength && length < kMaxBodyLength);
        if (*release == toolVersion) {
            FUZZ_CHECK(check.result == CheckResult::Current && check.fileName.empty());
        } else if (isLetter(release->revision)) {
            FUZZ_CHECK(check.result == CheckResult::Different);
            FUZZ_CHECK(check.fileName == *downloadFileName(*release));
        } else {
            FUZZ_CHECK(check.result == CheckResult::Mismatch && check.fileName.empty());
        }
    }

    // The step counter stays within its cycle and stops only on a usable file.
    UpdateSteps steps;
    for (std::uint8_t b : body) {
        const int before = steps.updateStep();
        const bool wasFinished = steps.finished();
        const UpdateSteps::Action action = steps.tick();
        if (wasFinished) FUZZ_CHECK(action == UpdateSteps::Action::None);
        if (action == UpdateSteps::Action::Navigate) FUZZ_CHECK(before == UpdateSteps::kNavigateStep);
        if (action == UpdateSteps::Action::Check) {
            FUZZ_CHECK(before == UpdateSteps::kCheckStep);
            const auto seen = static_cast<CheckResult>(b % 4);
            steps.checked(seen);
            FUZZ_CHECK(steps.finished() == (seen == CheckResult::Current || seen == CheckResult::Different));
        }
        FUZZ_CHECK(steps.updateStep() >= 0 && steps.updateStep() <= UpdateSteps::kLastStep);
    }
    return 0;
}
