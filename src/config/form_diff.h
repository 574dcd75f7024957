#pragma once
// Two configurations side by side, field by field: what a technician reads
// before loading a file over what a unit holds, and what `diff` prints.

#include <string>
#include <vector>

#include "config/form_model.h"

namespace vek::config {

struct FieldDifference {
    std::string key;    // the configuration file's key ("vmx_kmh", "alerts.VMX.buzzer.during")
    std::string label;  // in the form's words, with the unit ("Velocidade (km/h)")
    std::string left;   // the values as the form shows them ("120", "sim", "(vazio)")
    std::string right;
};

// Every field whose value differs, in the file's order.
std::vector<FieldDifference> differences(const FormModel& left, const FormModel& right);

}  // namespace vek::config
