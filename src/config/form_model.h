#pragma once
// The configuration form as plain data: combo indexes, edit texts and check
// states. The window copies its widgets into a FormModel and back; reading,
// validation, presets, the image and the remote list all work on this model.

#include <array>
#include <cstdint>
#include <string>

namespace vek::config {

inline constexpr std::size_t kImageSize = 2032;

inline constexpr std::array<std::uint16_t, 10> kPingTable{5, 10, 15, 30, 45, 60, 90, 120, 180, 300};
// Baud rate divided by 100, as the image stores it.
inline constexpr std::array<std::uint16_t, 4> kBaudTable{96, 192, 576, 1152};

// The numeric fields, in the order a write validates them.
enum Field : int { ACP, ACN, VMX, TVMX, VCH, TVCH, RPX, TRPX, TOSC, XOSC, VBGL, RBGL, TBGL, FieldCount };

// The five event groups with entry/exit/during buzzer and entry/exit register.
enum Group : int { GroupVMX, GroupVCH, GroupRPX, GroupOSC, GroupBGL, GroupCount };

enum class Buzzer { In, Out, During };

struct EventBoxes {
    bool evIn = false, evOut = false;            // REGISTRAR EVENTO
    bool bzIn = false, bzOut = false, bzWh = false;  // ALERTA BUZZER
    bool operator==(const EventBoxes&) const = default;
};

class FormModel {
public:
    int ping = -1;  // index into kPingTable, -1 = no selection
    int a232 = -1;  // index into kBaudTable
    int b232 = -1;
    std::array<std::string, FieldCount> text{};
    bool evAcp = false, bzAcp = false, evAcn = false, bzAcn = false;

    const EventBoxes& group(Group g) const { return groups_[g]; }
    void setRegister(Group g, bool in, bool out) { groups_[g].evIn = in; groups_[g].evOut = out; }
    // Setting a buzzer box applies the coupling: ticking "Durante" unticks
    // "Entrada" and "Saída"; ticking either of those unticks "Durante".
    void setBuzzer(Group g, Buzzer which, bool ticked);

    bool operator==(const FormModel&) const = default;

private:
    std::array<EventBoxes, GroupCount> groups_{};
};

}  // namespace vek::config
