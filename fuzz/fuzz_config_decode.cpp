// The configuration image as a unit might hand it back.
//
// Input: byte 0 holds options (bit 0: compare with the Norvale preset); the
// rest is the start of the 2,032-byte image, padded with 0xFF as an erased
// unit memory reads.
//
// A read checks no ranges, so an image can decode without a fault and still
// hold a number the write refuses (a speed of 200, say). Such a form must be
// refused for exactly that number; any other form that decodes cleanly must
// encode to the fields and flags it was read from, and decode again to
// itself.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/config_image.h"
#include "config/record_layout.h"
#include "fuzz_check.h"

using namespace vek::config;

namespace {

// Whether the decoded text of a numeric field lies outside what a write
// takes. Decoded texts are plain decimal numbers of one or two bytes.
bool outOfWriteRange(const FormModel& form, Field f) {
    const std::string& t = form.text[f];
    if (t.empty() || t.size() > 5) return true;
    if (!std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
    const unsigned long v = std::stoul(t);
    return v < layout::kRules[f].min || v > layout::kRules[f].max;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool norvale = (data[0] & 1) != 0;
    Image image;
    image.fill(0xFF);
    std::copy_n(data + 1, std::min(size - 1, image.size()), image.begin());

    // Decoding starts from whatever the form held; a clean decode must not
    // depend on it.
    FormModel blank;
    FormModel filled;
    applyDefaults(filled);
    FormModel fromFilled = filled;
    const int faults = decode(image, blank, norvale);
    const int faultsAgain = decode(image, fromFilled, norvale);
    FUZZ_CHECK(faults >= 0);
    FUZZ_CHECK(faults == faultsAgain);
    if (faults != 0) return 0;
    FUZZ_CHECK(blank == fromFilled);
    const FormModel& form = blank;

    // Every numeric field was filled from the image.
    for (int f = 0; f < FieldCount; ++f) FUZZ_CHECK(!form.text[f].empty());

    Image written{};
    const auto fault = encode(form, written);
    if (fault) {
        // Only a number the write refuses can stop a cleanly read form.
        FUZZ_CHECK(fault->field >= 0 && fault->field < FieldCount);
        FUZZ_CHECK(outOfWriteRange(form, fault->field));
        for (int f = 0; f < fault->field; ++f) FUZZ_CHECK(!outOfWriteRange(form, Field(f)));
        FUZZ_CHECK(!faultMessage(*fault).empty());
        return 0;
    }
    for (int f = 0; f < FieldCount; ++f) FUZZ_CHECK(!outOfWriteRange(form, Field(f)));

    // Every byte of the record's fields and flags was understood, so the
    // write gives back the very bytes that were read.
    FUZZ_CHECK(std::equal(written.begin() + layout::kPingAt, written.begin() + layout::kSumAt,
                          image.begin() + layout::kPingAt));

    // What the write builds reads back as the same form, also when compared
    // with the Norvale preset (a clean Norvale read encodes the preset).
    FormModel reread;
    FUZZ_CHECK(decode(written, reread, norvale) == 0);
    FUZZ_CHECK(reread == form);
    // And the write is a fixed point: encoding the re-read form gives the
    // same bytes.
    Image again{};
    FUZZ_CHECK(!encode(reread, again));
    FUZZ_CHECK(again == written);
    FUZZ_CHECK(std::all_of(written.begin() + layout::kFillAt, written.end(),
                           [](std::uint8_t b) { return b == 0xFF; }));

    // The remote list takes any form; on a clean one it refuses nothing.
    FormModel listed = form;
    const auto lines = remoteCommands(listed);
    FUZZ_CHECK(listed == form);
    const std::string refused = text::kInvalidParameter;
    for (const std::string& line : lines) FUZZ_CHECK(line.compare(0, refused.size(), refused) != 0);
    return 0;
}
