#pragma once
// The configuration form's widgets as a view of FormModel: the edit boxes
// with their up-down arrows and typing rules, the combo boxes, and the check
// boxes with the buzzer coupling applied through the model.

#include <QList>
#include <QObject>
#include <array>

#include "config/form_model.h"

namespace Ui {
class MainWindow;
}
class QCheckBox;
class QLineEdit;

namespace vek::app {

class UpDown;

class FormBinding : public QObject {
    Q_OBJECT
public:
    FormBinding(Ui::MainWindow& ui, QObject* parent);

    // The form as the widgets hold it, and back. Showing a form is no edit.
    config::FormModel form() const;
    void show(const config::FormModel& form);

    const std::array<QLineEdit*, config::FieldCount>& fieldEdits() const { return fieldEdits_; }
    const QList<UpDown*>& upDowns() const { return upDowns_; }

signals:
    // The technician changed the form.
    void edited();

private:
    void setupEdits();
    void setupCheckBoxes();
    void changed();

    struct GroupBoxes {
        QCheckBox *evIn, *evOut, *bzIn, *bzOut, *bzWh;
    };

    Ui::MainWindow& ui_;
    std::array<QLineEdit*, config::FieldCount> fieldEdits_{};
    std::array<GroupBoxes, config::GroupCount> groupBoxes_{};
    QList<UpDown*> upDowns_;
    bool showing_ = false;
};

}  // namespace vek::app
