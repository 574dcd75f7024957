#pragma once
// The tool's own release, the version record the vendor publishes next to
// each release, and the step counter that paces the check on a 1 s tick.
//
// The record is 32 characters found from the first "#" of the fetched body:
//   #*$(MMM.mmm.RRR@@MMM.mmm.RRR)$*#
// major, minor and revision as three decimal digits each, written twice so a
// truncated or mangled file cannot pass for a release. The revision is a
// character code (065 is the letter A).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vek::update {

struct Release {
    int major = 0;
    int minor = 0;
    int revision = 0;  // character code of the release letter

    friend bool operator==(const Release&, const Release&) = default;
};

// This build: 2.47.A.
inline constexpr Release toolVersion{2, 47, 65};

inline constexpr std::size_t kRecordLength = 32;
// The body, in characters, must hold at least the record and be shorter than
// this.
inline constexpr std::size_t kMaxBodyLength = 500;

// Scheme and host of the vendor's web server. A placeholder under a reserved
// name until the vendor's host is known; the environment may override it
// (see the update checker).
inline constexpr std::string_view kDefaultHost = "https://www.vek-telemetria.example";

// The body length in characters (UTF-8 code points).
std::size_t bodyLength(std::string_view body);

// The release a fetched body names, or nothing when the body is not a
// version file: length out of [32, 500), no "#", fewer than 32 characters
// from the first "#", a wrong literal, copies that differ or a non-digit.
// Text before the first "#" and after the record is ignored.
std::optional<Release> parseVersionRecord(std::string_view body);

// "VekTool v2.47.B.exe" for 2.47.66. Only a letter can name a release; any
// other revision code would put a path separator, query mark, control
// character or the like into the address, so it gives nothing.
std::optional<std::string> downloadFileName(const Release& release);

// Addresses on `host` (scheme and host, no trailing slash).
std::string versionFileAddress(std::string_view host);
std::string downloadAddress(std::string_view host, const std::string& fileName);
std::string productPageAddress(std::string_view host);

// What one look at the fetched version file found.
enum class CheckResult {
    NotComplete,  // still loading (or gave up waiting): retry after the long count
    Mismatch,     // complete but not a usable version file: retry at once
    Current,      // names this very release
    Different,    // names another release, older ones included
};

struct VersionCheck {
    CheckResult result = CheckResult::Mismatch;
    Release serverVersion{};
    std::string fileName;  // set when result is Different
};

// The verdict on a complete body. A release that differs but cannot be named
// as a download file counts as a mismatch.
VersionCheck checkVersionBody(std::string_view body);

// The step counter behind Timer4Timer. Counting 0, 1, then navigate at 2,
// count 3 to 5, check at 6; a page not complete by then sends the count to 7
// and on up to 15, then back to 0; a page that does not match sends it back
// to 0 at once. A usable version file ends the check.
class UpdateSteps {
public:
    enum class Action { None, Navigate, Check };

    static constexpr int kNavigateStep = 2;
    static constexpr int kCheckStep = 6;
    static constexpr int kNotCompleteStep = 7;
    static constexpr int kLastStep = 15;

    // One tick. On Check the caller looks at the page and reports with
    // checked(); until then the counter stays on the check step.
    Action tick();
    void checked(CheckResult result);

    int updateStep() const { return updateStep_; }
    bool finished() const { return finished_; }

private:
    int updateStep_ = 0;
    bool finished_ = false;
};

}  // namespace vek::update
