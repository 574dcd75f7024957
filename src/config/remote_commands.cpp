#include <cstdio>

#include "config/config_image.h"
#include "config/record_layout.h"

namespace vek::config {

namespace {

constexpr std::size_t kPaddedLength = 25;

std::string twoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2d", v);
    return buf;
}

std::string checkCode(const std::string& command) {
    unsigned x = 0;
    for (unsigned char c : command) x ^= c;
    char buf[4];
    std::snprintf(buf, sizeof buf, "%.2X", x & 0xFFu);
    return buf;
}

std::string commandLine(const std::string& command, const char* name) {
    std::string line = command + checkCode(command);
    // Only ASCII reaches this point (digits and the command letters), so the
    // byte count is the character count.
    if (line.size() < kPaddedLength) line.append(kPaddedLength - line.size(), '_');
    return line + name;
}

std::string faultLine(const char* name) {
    return std::string(text::kInvalidParameter) + " [" + name + "]";
}

struct Command {
    const char* head;  // "#CVMX" and the like
    std::array<Field, 3> fields;
    std::size_t fieldCount;
    const char* name;
};

}  // namespace

std::vector<std::string> remoteCommands(FormModel& form) {
    std::vector<std::string> lines;

    if (form.ping >= 0 && static_cast<std::size_t>(form.ping) < kPingTable.size())
        lines.push_back(commandLine("#CPI[" + std::to_string(kPingTable[form.ping]) + "]", text::kPing));
    else
        lines.push_back(faultLine(text::kPing));

    if (form.b232 >= 0 && static_cast<std::size_t>(form.b232) < kBaudTable.size())
        lines.push_back(
            commandLine("#CBR[" + std::to_string(kBaudTable[form.b232] * 100) + "]", text::kRs232B));
    else
        lines.push_back(faultLine(text::kRs232B));

    const std::array<std::uint8_t, GroupCount + 2> flags{
        alertFlags(form.bzAcp, form.evAcp), alertFlags(form.bzAcn, form.evAcn),
        eventFlags(form.group(GroupVMX)),   eventFlags(form.group(GroupVCH)),
        eventFlags(form.group(GroupRPX)),   eventFlags(form.group(GroupOSC)),
        eventFlags(form.group(GroupBGL))};
    const std::array<Command, GroupCount + 2> commands{{
        {"#CACP", {ACP}, 1, text::kAcp},
        {"#CACN", {ACN}, 1, text::kAcn},
        {"#CVMX", {VMX, TVMX}, 2, text::kVmx},
        {"#CVCH", {VCH, TVCH}, 2, text::kRemoteVch},
        {"#CRPX", {RPX, TRPX}, 2, text::kRemoteRpx},
        {"#COCS", {TOSC, XOSC}, 2, text::kRemoteOsc},
        {"#CBGL", {VBGL, RBGL, TBGL}, 3, text::kRemoteBgl},
    }};

    for (std::size_t c = 0; c < commands.size(); ++c) {
        const Command& cmd = commands[c];
        std::string command = std::string(cmd.head) + "[";
        const char* fault = nullptr;
        for (std::size_t i = 0; i < cmd.fieldCount; ++i) {
            const Field f = cmd.fields[i];
            if (!layout::fieldValue(f, form.text[f])) {
                fault = layout::kRules[f].remoteName;
                form.text[f].clear();
                break;
            }
            command += form.text[f] + ",";
        }
        lines.push_back(fault ? faultLine(fault)
                              : commandLine(command + twoDigits(flags[c]) + "]", cmd.name));
    }
    return lines;
}

}  // namespace vek::config
