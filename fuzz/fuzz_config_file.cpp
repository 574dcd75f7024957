// A configuration file as a person might have edited it, and a form as a
// technician might have left it before saving.
//
// Input, used once or twice:
// - Always as the file's text. A refused text gets one line of explanation
//   naming a line the text has. An accepted text gives a form the write
//   takes; that form saves to a document that loads back to the very same
//   form and saves to the same text again; its image, read back from a unit,
//   saved and loaded, writes the same bytes.
// - Also as a form, unless it starts with '{' as the saved documents among
//   the seeds do (there the text is what is being mutated). Bytes 0..2 pick
//   the ping and the two baud rates (one value in sixteen means no
//   selection), byte 3 the ACP/ACN boxes, bytes 4..8 the boxes of the
//   five groups (set through the coupling, in an order bit 5 picks), then two
//   bytes per edit box give a number mostly within and sometimes beyond what
//   the write takes (high byte 0xFE: an empty box, 0xFF: a box holding
//   text). Missing bytes count as 0. The saved form loads exactly when
//   "CONFIGURAR" would write it, to the same image; a form holding only
//   numbers is refused with the write's own message for the same field.
//   Mutated text seldom stays a valid document, so this is what loads
//   well-formed documents with every value and box combination.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "config/config_file.h"
#include "config/config_image.h"
#include "config/record_layout.h"
#include "fuzz_check.h"

using namespace vek::config;

namespace {

void checkText(std::string_view text) {
    const auto loaded = fromJson(text);

    if (const auto* error = std::get_if<FileError>(&loaded)) {
        const auto lines = 1 + std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r');
        FUZZ_CHECK(error->line >= 0 && error->line <= lines);
        FUZZ_CHECK(!error->message.empty());
        FUZZ_CHECK(describe(*error).find_first_of("\r\n") == std::string::npos);
        return;
    }

    const FormModel& form = std::get<FormModel>(loaded);
    for (int g = 0; g < GroupCount; ++g) {
        const EventBoxes& b = form.group(Group(g));
        FUZZ_CHECK(!(b.bzWh && (b.bzIn || b.bzOut)));
    }
    Image image{};
    FUZZ_CHECK(!encode(form, image));

    const std::string saved = toJson(form);
    FUZZ_CHECK(!saved.empty() && saved.back() == '\n');
    const auto again = fromJson(saved);
    FUZZ_CHECK(std::holds_alternative<FormModel>(again));
    FUZZ_CHECK(std::get<FormModel>(again) == form);
    FUZZ_CHECK(toJson(std::get<FormModel>(again)) == saved);

    FormModel read;
    decode(image, read, false);
    const auto reloaded = fromJson(toJson(read));
    FUZZ_CHECK(std::holds_alternative<FormModel>(reloaded));
    Image rewritten{};
    FUZZ_CHECK(!encode(std::get<FormModel>(reloaded), rewritten));
    FUZZ_CHECK(rewritten == image);
}

FormModel formFrom(const std::uint8_t* data, std::size_t size) {
    auto at = [&](std::size_t i) -> unsigned { return i < size ? data[i] : 0U; };
    FormModel form;
    // One byte value in sixteen leaves the combo without a selection.
    auto pick = [](unsigned b, std::size_t n) { return b % 16 == 15 ? -1 : static_cast<int>(b % n); };
    form.ping = pick(at(0), kPingTable.size());
    form.a232 = pick(at(1), kBaudTable.size());
    form.b232 = pick(at(2), kBaudTable.size());
    form.evAcp = (at(3) & 1) != 0;
    form.bzAcp = (at(3) & 2) != 0;
    form.evAcn = (at(3) & 4) != 0;
    form.bzAcn = (at(3) & 8) != 0;
    for (int g = 0; g < GroupCount; ++g) {
        const unsigned b = at(4 + static_cast<std::size_t>(g));
        form.setRegister(Group(g), (b & 1) != 0, (b & 2) != 0);
        if (b & 32) form.setBuzzer(Group(g), Buzzer::During, (b & 16) != 0);
        form.setBuzzer(Group(g), Buzzer::In, (b & 4) != 0);
        form.setBuzzer(Group(g), Buzzer::Out, (b & 8) != 0);
        if (!(b & 32)) form.setBuzzer(Group(g), Buzzer::During, (b & 16) != 0);
    }
    for (int f = 0; f < FieldCount; ++f) {
        const std::size_t i = 9 + 2 * static_cast<std::size_t>(f);
        const unsigned hi = at(i), v = (hi << 8) | at(i + 1);
        const unsigned long max = layout::kRules[f].max;
        if (hi == 0xFE) form.text[f] = "";
        else if (hi == 0xFF) form.text[f] = "1x";
        else form.text[f] = std::to_string(v % (max + max / 32 + 2));
    }
    return form;
}

void checkForm(const FormModel& form) {
    Image image{};
    const auto fault = encode(form, image);
    const std::string saved = toJson(form);
    const auto loaded = fromJson(saved);
    FUZZ_CHECK(std::holds_alternative<FormModel>(loaded) == !fault);
    if (!fault) {
        FUZZ_CHECK(std::get<FormModel>(loaded) == form);
        Image again{};
        FUZZ_CHECK(!encode(std::get<FormModel>(loaded), again));
        FUZZ_CHECK(again == image);
        return;
    }
    const bool onlyNumbers = form.ping >= 0 && form.a232 >= 0 && form.b232 >= 0 &&
                             std::none_of(form.text.begin(), form.text.end(), [](const std::string& t) {
                                 return t.empty() || t.find_first_not_of("0123456789") != std::string::npos;
                             });
    if (onlyNumbers) {
        const FileError& error = std::get<FileError>(loaded);
        FUZZ_CHECK(error.message == faultMessage(*fault));
        FUZZ_CHECK(error.field == fault->name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size == 0 || data[0] != '{') checkForm(formFrom(data, size));
    return 0;
}
