#include "config/config_image.h"

#include <algorithm>
#include <numeric>

#include "config/record_layout.h"

namespace vek::config {

namespace {

using namespace layout;

std::uint16_t get16(const Image& im, std::size_t at) {
    return static_cast<std::uint16_t>((im[at] << 8) | im[at + 1]);
}

void put16(Image& im, std::size_t at, unsigned long v) {
    im[at] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    im[at + 1] = static_cast<std::uint8_t>(v & 0xFF);
}

std::uint32_t sum24(const Image& im, std::size_t count) {
    std::uint32_t s = 0;
    for (std::size_t i = 0; i < count; ++i) s += im[i];
    return s & 0xFFFFFF;
}

std::uint32_t get24(const Image& im, std::size_t at) {
    return (std::uint32_t{im[at]} << 16) | (std::uint32_t{im[at + 1]} << 8) | im[at + 2];
}

template <std::size_t N>
int indexOf(const std::array<std::uint16_t, N>& table, std::uint16_t v) {
    auto it = std::find(table.begin(), table.end(), v);
    return it == table.end() ? -1 : static_cast<int>(it - table.begin());
}

bool selected(int index, std::size_t tableSize) {
    return index >= 0 && static_cast<std::size_t>(index) < tableSize;
}

// Magic, a length that fits the image, and the record sum where the length
// puts it. Nothing is decoded from an image that fails this.
bool recordIntact(const Image& im) {
    if (!std::equal(kMagic.begin(), kMagic.end(), im.begin())) return false;
    const std::size_t length = get16(im, kLengthAt);
    if (length + kRecordOverhead > kImageSize) return false;
    return sum24(im, length + 6) == get24(im, length + 6);
}

unsigned long fieldAt(const Image& im, Field f) {
    const FieldRule& r = kRules[f];
    return r.width == 2 ? get16(im, r.at) : im[r.at];
}

// The Norvale preset as an image, so the comparison a read makes cannot drift
// from what the preset writes.
const Image& norvaleImage() {
    static const Image image = [] {
        FormModel form;
        applyNorvale(form);
        Image im{};
        encode(form, im);
        return im;
    }();
    return image;
}

// One difference per field; a flag byte's buzzer and register digits count
// apart.
int norvaleDifferences(const Image& im) {
    const Image& ref = norvaleImage();
    int faults = 0;
    for (std::size_t at : {kPingAt, kA232At, kB232At})
        if (get16(im, at) != get16(ref, at)) ++faults;
    auto digits = [&](std::size_t at) {
        if (im[at] / 10 != ref[at] / 10) ++faults;
        if (im[at] % 10 != ref[at] % 10) ++faults;
    };
    digits(kAcpFlagsAt);
    digits(kAcnFlagsAt);
    for (std::size_t at : kGroupFlagsAt) digits(at);
    for (int f = 0; f < FieldCount; ++f)
        if (fieldAt(im, Field(f)) != fieldAt(ref, Field(f))) ++faults;
    return faults;
}

}  // namespace

std::optional<unsigned long> layout::fieldValue(Field f, const std::string& text) {
    if (text.empty()) return std::nullopt;
    constexpr unsigned long kCap = 1'000'000'000UL;
    unsigned long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = std::min(kCap, v * 10 + static_cast<unsigned long>(c - '0'));
    }
    const FieldRule& r = kRules[f];
    if (v < r.min || v > r.max) return std::nullopt;
    return v;
}

std::uint8_t alertFlags(bool buzzer, bool reg) {
    return static_cast<std::uint8_t>((buzzer ? 10 : 0) + (reg ? 1 : 0));
}

std::uint8_t eventFlags(const EventBoxes& b) {
    const int tens = (b.bzIn ? 1 : 0) + (b.bzOut ? 2 : 0) + (b.bzWh ? 4 : 0);
    const int units = (b.evIn ? 1 : 0) + (b.evOut ? 2 : 0);
    return static_cast<std::uint8_t>(10 * tens + units);
}

std::optional<Fault> encode(const FormModel& form, Image& image) {
    if (!selected(form.ping, kPingTable.size())) return Fault{FieldCount, text::kPing};
    if (!selected(form.a232, kBaudTable.size())) return Fault{FieldCount, text::kRs232A};
    if (!selected(form.b232, kBaudTable.size())) return Fault{FieldCount, text::kRs232B};

    Image im;
    im.fill(0xFF);
    std::copy(kMagic.begin(), kMagic.end(), im.begin());
    put16(im, kLengthAt, kLength);
    im[kConstAt] = 0x01;
    im[kConstAt + 1] = 0x02;
    put16(im, kPingAt, kPingTable[form.ping]);
    put16(im, kA232At, kBaudTable[form.a232]);
    put16(im, kB232At, kBaudTable[form.b232]);

    for (int i = 0; i < FieldCount; ++i) {
        const Field f = Field(i);
        const FieldRule& r = kRules[f];
        const auto v = fieldValue(f, form.text[f]);
        if (!v) return Fault{f, r.writeName, form.text[f]};
        if (r.width == 2)
            put16(im, r.at, *v);
        else
            im[r.at] = static_cast<std::uint8_t>(*v);
    }

    im[kAcpFlagsAt] = alertFlags(form.bzAcp, form.evAcp);
    im[kAcnFlagsAt] = alertFlags(form.bzAcn, form.evAcn);
    for (int g = 0; g < GroupCount; ++g) im[kGroupFlagsAt[g]] = eventFlags(form.group(Group(g)));

    const std::uint32_t sum = sum24(im, kSumAt);
    im[kSumAt] = static_cast<std::uint8_t>(sum >> 16);
    im[kSumAt + 1] = static_cast<std::uint8_t>(sum >> 8);
    im[kSumAt + 2] = static_cast<std::uint8_t>(sum);
    image = im;
    return std::nullopt;
}

std::string faultMessage(const Fault& fault) {
    return std::string(text::kInvalidParameter) + "\r\n[" + fault.name + "]";
}

std::string allowedText(const Fault& fault) {
    if (fault.field < 0 || fault.field >= FieldCount) return {};
    const layout::FieldRule& r = layout::kRules[fault.field];
    return vek::fill(text::kAllowed, {r.min, r.max, r.unit});
}

void emptyField(FormModel& form, const Fault& fault) {
    if (fault.field >= 0 && fault.field < FieldCount) form.text[fault.field].clear();
}

int decode(const Image& im, FormModel& form, bool norvale) {
    if (!recordIntact(im)) return 1;

    int faults = 0;
    // A value missing from its table leaves the combo as the read left it
    // (without a selection).
    const int ping = indexOf(kPingTable, get16(im, kPingAt));
    if (ping >= 0) form.ping = ping; else ++faults;
    const std::uint16_t a232 = get16(im, kA232At);
    const int a = indexOf(kBaudTable, a232);
    if (a >= 0) form.a232 = a; else ++faults;
    if (a232 != kA232Required) ++faults;
    const int b = indexOf(kBaudTable, get16(im, kB232At));
    if (b >= 0) form.b232 = b; else ++faults;

    form.text[ACP] = std::to_string(im[kRules[ACP].at]);
    form.text[ACN] = std::to_string(im[kRules[ACN].at]);

    auto alert = [&](std::uint8_t v, bool& bz, bool& ev) {
        if (v / 10 > 1) ++faults; else bz = v / 10 == 1;
        if (v % 10 > 1) ++faults; else ev = v % 10 == 1;
    };
    alert(im[kAcpFlagsAt], form.bzAcp, form.evAcp);
    alert(im[kAcnFlagsAt], form.bzAcn, form.evAcn);

    for (int i = 0; i < GroupCount; ++i) {
        const Group g = Group(i);
        const int v = im[kGroupFlagsAt[g]];
        const int tens = v / 10, units = v % 10;
        if (tens > 4) {
            ++faults;
        } else {
            form.setBuzzer(g, Buzzer::In, (tens & 1) != 0);
            form.setBuzzer(g, Buzzer::Out, (tens & 2) != 0);
            form.setBuzzer(g, Buzzer::During, (tens & 4) != 0);
        }
        if (units > 3) ++faults;
        else form.setRegister(g, (units & 1) != 0, (units & 2) != 0);
    }

    for (int f = VMX; f < FieldCount; ++f) form.text[f] = std::to_string(fieldAt(im, Field(f)));

    // A unit that was never configured holds its own offsets there.
    if (im[14] == 14 && im[15] == 15 && im[16] == 16 && im[17] == 17) ++faults;

    if (norvale) faults += norvaleDifferences(im);
    return faults;
}

std::uint8_t checkXor(const Image& image) {
    return std::accumulate(image.begin(), image.end(), std::uint8_t{0},
                           [](std::uint8_t x, std::uint8_t b) { return static_cast<std::uint8_t>(x ^ b); });
}

std::uint32_t checkSum(const Image& image) {
    return std::accumulate(image.begin(), image.end(), std::uint32_t{0});
}

}  // namespace vek::config
