#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "update/core/version_record.h"

namespace vek::update {
namespace {

const std::string kCurrent = "#*$(002.047.065@@002.047.065)$*#";

struct BodyCase {
    const char* name;
    std::string body;
    CheckResult result;
    std::string fileName;  // for Different
};

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

class UpdateVersionBody : public ::testing::TestWithParam<BodyCase> {};

TEST_P(UpdateVersionBody, Verdict) {
    const BodyCase& c = GetParam();
    const VersionCheck check = checkVersionBody(c.body);
    EXPECT_EQ(check.result, c.result);
    EXPECT_EQ(check.fileName, c.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    UpdateRecords, UpdateVersionBody,
    ::testing::Values(
        BodyCase{"CurrentRelease", kCurrent + "\r\n", CheckResult::Current, ""},
        BodyCase{"NewerRevision", "#*$(002.047.066@@002.047.066)$*#\n", CheckResult::Different,
                 "VekTool v2.47.B.exe"},
        BodyCase{"OlderMinor", "#*$(002.046.065@@002.046.065)$*#\n", CheckResult::Different,
                 "VekTool v2.46.A.exe"},
        BodyCase{"WidestFields", "#*$(999.999.122@@999.999.122)$*#\n", CheckResult::Different,
                 "VekTool v999.999.z.exe"},
        BodyCase{"CopiesDiffer", "#*$(002.047.065@@002.047.064)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"MajorCopiesDiffer", "#*$(003.047.065@@002.047.065)$*#\n", CheckResult::Mismatch,
                 ""},
        // The bare record, with no line end: the shortest body there is.
        BodyCase{"Exactly32", kCurrent, CheckResult::Current, ""},
        BodyCase{"Exactly32Newer", "#*$(002.047.066@@002.047.066)$*#", CheckResult::Different,
                 "VekTool v2.47.B.exe"},
        BodyCase{"Exactly32CopiesDiffer", "#*$(002.047.065@@002.047.064)$*#", CheckResult::Mismatch, ""},
        BodyCase{"Exactly31", kCurrent.substr(0, 31), CheckResult::Mismatch, ""},
        BodyCase{"Exactly33", kCurrent + "\n", CheckResult::Current, ""},
        BodyCase{"OneCharacterBefore", "x" + kCurrent, CheckResult::Current, ""},
        BodyCase{"MarkupBefore", "<HTML><BODY><PRE>" + kCurrent + "</PRE></BODY></HTML>",
                 CheckResult::Current, ""},
        BodyCase{"Length499", kCurrent + repeat(" ", 467), CheckResult::Current, ""},
        BodyCase{"Length500", kCurrent + repeat(" ", 468), CheckResult::Mismatch, ""},
        // Characters, not bytes: 499 characters in 966 bytes.
        BodyCase{"Length499InCharacters", kCurrent + repeat("\xC3\xA9", 467), CheckResult::Current,
                 ""},
        BodyCase{"NoHash", "*$(002.047.065@@002.047.065)$*!\n", CheckResult::Mismatch, ""},
        // Only the first "#" counts, even when a good record follows.
        BodyCase{"EarlierHash", "# release\n" + kCurrent, CheckResult::Mismatch, ""},
        BodyCase{"RecordCutShort", repeat("-", 10) + kCurrent.substr(0, 31), CheckResult::Mismatch,
                 ""},
        BodyCase{"LetterForDigit", "#*$(002.04A.065@@002.04A.065)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"SpaceForDigit", "#*$(002. 47.065@@002. 47.065)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"SignForDigit", "#*$(+02.047.065@@+02.047.065)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"WrongOpening", "#*$[002.047.066@@002.047.066)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"WrongMiddle", "#*$(002.047.066@#002.047.066)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"WrongClosing", "#*$(002.047.066@@002.047.066)$*!\n", CheckResult::Mismatch, ""},
        BodyCase{"WrongSeparator", "#*$(002,047,066@@002,047,066)$*#\n", CheckResult::Mismatch, ""},
        // A revision code that is no letter would put "/" or a control
        // character into the download address.
        BodyCase{"RevisionSlash", "#*$(002.047.047@@002.047.047)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"RevisionZero", "#*$(002.047.000@@002.047.000)$*#\n", CheckResult::Mismatch, ""},
        BodyCase{"RevisionPastByte", "#*$(002.047.321@@002.047.321)$*#\n", CheckResult::Mismatch,
                 ""}),
    [](const ::testing::TestParamInfo<BodyCase>& p) { return std::string(p.param.name); });

TEST(UpdateVersionRecord, ReadsTheThreeFields) {
    const auto release = parseVersionRecord("<pre>#*$(012.345.067@@012.345.067)$*#</pre>");
    ASSERT_TRUE(release.has_value());
    EXPECT_EQ(*release, (Release{12, 345, 67}));
}

TEST(UpdateVersionRecord, Addresses) {
    const std::string host = "https://host.example";
    EXPECT_EQ(versionFileAddress(host), "https://host.example/files/vektool.ver");
    EXPECT_EQ(downloadAddress(host, "VekTool v2.47.B.exe"),
              "https://host.example/files/VekTool v2.47.B.exe");
    EXPECT_EQ(productPageAddress(host), "https://host.example/vek");
    EXPECT_EQ(downloadFileName(toolVersion), "VekTool v2.47.A.exe");
}

// Drives the counter for `ticks` ticks, answering each check with the next
// of `answers`, and records at which tick (1-based) each action came.
struct Trace {
    std::vector<int> navigations;
    std::vector<int> checks;
};

Trace run(UpdateSteps& steps, int ticks, std::vector<CheckResult> answers) {
    Trace trace;
    std::size_t next = 0;
    for (int t = 1; t <= ticks; ++t) {
        switch (steps.tick()) {
        case UpdateSteps::Action::Navigate:
            trace.navigations.push_back(t);
            break;
        case UpdateSteps::Action::Check:
            trace.checks.push_back(t);
            steps.checked(next < answers.size() ? answers[next++] : CheckResult::Mismatch);
            break;
        case UpdateSteps::Action::None:
            break;
        }
    }
    return trace;
}

TEST(UpdateSteps, PageNotCompleteRetriesSixteenTicksLater) {
    UpdateSteps steps;
    const Trace trace = run(steps, 40, {CheckResult::NotComplete, CheckResult::NotComplete,
                                        CheckResult::NotComplete});
    EXPECT_EQ(trace.navigations, (std::vector<int>{3, 19, 35}));
    EXPECT_EQ(trace.checks, (std::vector<int>{7, 23, 39}));
    EXPECT_FALSE(steps.finished());
}

TEST(UpdateSteps, PageThatDoesNotMatchRetriesSevenTicksLater) {
    UpdateSteps steps;
    const Trace trace = run(steps, 20, {CheckResult::Mismatch, CheckResult::Mismatch});
    EXPECT_EQ(trace.navigations, (std::vector<int>{3, 10, 17}));
    EXPECT_EQ(trace.checks, (std::vector<int>{7, 14}));
}

TEST(UpdateSteps, CountsThroughEveryStep) {
    UpdateSteps steps;
    std::vector<int> seen;
    for (int t = 0; t < 22; ++t) {
        if (steps.tick() == UpdateSteps::Action::Check) steps.checked(CheckResult::NotComplete);
        seen.push_back(steps.updateStep());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2,
                                      3, 4, 5, 6}));
}

TEST(UpdateSteps, AUsableFileEndsTheCheck) {
    for (CheckResult last : {CheckResult::Current, CheckResult::Different}) {
        UpdateSteps steps;
        const Trace trace = run(steps, 60, {CheckResult::Mismatch, CheckResult::NotComplete, last});
        EXPECT_EQ(trace.navigations, (std::vector<int>{3, 10, 26}));
        EXPECT_EQ(trace.checks, (std::vector<int>{7, 14, 30}));
        EXPECT_TRUE(steps.finished());
    }
}

}  // namespace
}  // namespace vek::update
