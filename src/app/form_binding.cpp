#include "app/form_binding.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRegularExpressionValidator>
#include <utility>

#include "app/up_down.h"
#include "ui_main_window.h"

namespace vek::app {

namespace {

// What a screen reader says for an edit box: its group and its label, e.g.
// "VELOCIDADE NA CHUVA: Tempo validação [segundos]".
QString fieldName(const QLineEdit* edit) {
    const auto* label = edit->parentWidget()->findChild<QLabel*>(QStringLiteral("L_") + edit->objectName().mid(3));
    QString text = label ? label->text().simplified() : edit->objectName();
    if (text.endsWith(':')) text.chop(1);
    if (const auto* group = qobject_cast<const QGroupBox*>(edit->parentWidget()))
        if (!group->title().trimmed().isEmpty()) text = group->title().trimmed() + QStringLiteral(": ") + text;
    return text;
}

}  // namespace

FormBinding::FormBinding(Ui::MainWindow& ui, QObject* parent) : QObject(parent), ui_(ui) {
    setupEdits();
    setupCheckBoxes();
}

void FormBinding::changed() {
    if (!showing_) emit edited();
}

void FormBinding::setupEdits() {
    struct Limits {
        QLineEdit* edit;
        UpDown* ud;
        int min, max;
        bool arrows;
    };
    const Limits limits[] = {
        {ui_.ED_VMX, ui_.UD_VMX, 1, 250, false},    {ui_.ED_TVMX, ui_.UD_TVMX, 0, 20, true},
        {ui_.ED_VCH, ui_.UD_VCH, 1, 250, false},    {ui_.ED_TVCH, ui_.UD_TVCH, 0, 20, true},
        {ui_.ED_RPX, ui_.UD_RPX, 1000, 9999, false}, {ui_.ED_TRPX, ui_.UD_TRPX, 0, 20, true},
        {ui_.ED_VBGL, ui_.UD_VBGL, 1, 250, false},  {ui_.ED_RBGL, ui_.UD_RBGL, 300, 1500, true},
        {ui_.ED_TBGL, ui_.UD_TBGL, 0, 20, true},    {ui_.ED_TOSC, ui_.UD_TOSC, 1, 45, false},
        {ui_.ED_XOSC, ui_.UD_XOSC, 0, 20, true},    {ui_.ED_ACP, ui_.UD_ACP, 1, 255, false},
        {ui_.ED_ACN, ui_.UD_ACN, 1, 255, false},    {ui_.ED_VEBK, ui_.UD_VEBK, 1, 250, true},
        {ui_.ED_TEBK, ui_.UD_TEBK, 0, 20, true},    {ui_.ED_REBK, ui_.UD_REBK, 300, 1500, true},
    };
    for (const Limits& l : limits) {
        // The layout's length limit is a typing limit only: a box must show a
        // value read from a unit whole (QLineEdit would cut it to maxLength),
        // so the limit moves into the validator, which judges typing alone.
        const int typed = l.edit->maxLength();
        l.edit->setMaxLength(32767);
        const QString pattern = typed < 32767 ? QStringLiteral("[0-9]{0,%1}").arg(typed) : QStringLiteral("[0-9]*");
        l.edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), l.edit));
        l.edit->setProperty("typingLimit", typed);
        l.edit->setAccessibleName(fieldName(l.edit));
        l.ud->associate(l.edit, l.min, l.max, l.arrows);
        upDowns_ << l.ud;
    }
    fieldEdits_ = {ui_.ED_ACP, ui_.ED_ACN,  ui_.ED_VMX,  ui_.ED_TVMX, ui_.ED_VCH,  ui_.ED_TVCH, ui_.ED_RPX,
                   ui_.ED_TRPX, ui_.ED_TOSC, ui_.ED_XOSC, ui_.ED_VBGL, ui_.ED_RBGL, ui_.ED_TBGL};
    for (QLineEdit* e : fieldEdits_) connect(e, &QLineEdit::textChanged, this, &FormBinding::changed);
    for (QComboBox* cb : {ui_.CB_PING, ui_.CB_A232, ui_.CB_B232})
        connect(cb, &QComboBox::currentIndexChanged, this, &FormBinding::changed);
    for (QCheckBox* cb : {ui_.CB_EV_ACP, ui_.CB_BZ_ACP, ui_.CB_EV_ACN, ui_.CB_BZ_ACN})
        connect(cb, &QCheckBox::toggled, this, &FormBinding::changed);
}

void FormBinding::setupCheckBoxes() {
    groupBoxes_[config::GroupVMX] = {ui_.CB_EV_VMX_IN, ui_.CB_EV_VMX_OUT, ui_.CB_BZ_VMX_IN, ui_.CB_BZ_VMX_OUT,
                                     ui_.CB_BZ_VMX_WH};
    groupBoxes_[config::GroupVCH] = {ui_.CB_EV_VCH_IN, ui_.CB_EV_VCH_OUT, ui_.CB_BZ_VCH_IN, ui_.CB_BZ_VCH_OUT,
                                     ui_.CB_BZ_VCH_WH};
    groupBoxes_[config::GroupRPX] = {ui_.CB_EV_RPX_IN, ui_.CB_EV_RPX_OUT, ui_.CB_BZ_RPX_IN, ui_.CB_BZ_RPX_OUT,
                                     ui_.CB_BZ_RPX_WH};
    groupBoxes_[config::GroupOSC] = {ui_.CB_EV_OSC_IN, ui_.CB_EV_OSC_OUT, ui_.CB_BZ_OSC_IN, ui_.CB_BZ_OSC_OUT,
                                     ui_.CB_BZ_OSC_WH};
    groupBoxes_[config::GroupBGL] = {ui_.CB_EV_BGL_IN, ui_.CB_EV_BGL_OUT, ui_.CB_BZ_BGL_IN, ui_.CB_BZ_BGL_OUT,
                                     ui_.CB_BZ_BGL_WH};
    // The buzzer boxes of a group are coupled; the model owns the rule, so
    // a click goes through it and the widgets show what it decided.
    for (int g = 0; g < config::GroupCount; ++g) {
        const GroupBoxes& b = groupBoxes_[g];
        const std::pair<QCheckBox*, config::Buzzer> buzzers[] = {
            {b.bzIn, config::Buzzer::In}, {b.bzOut, config::Buzzer::Out}, {b.bzWh, config::Buzzer::During}};
        for (const auto& [box, which] : buzzers) {
            connect(box, &QCheckBox::clicked, this, [this, g, which = which](bool ticked) {
                config::FormModel model = form();
                model.setBuzzer(static_cast<config::Group>(g), which, ticked);
                show(model);
                changed();
            });
        }
        for (QCheckBox* box : {b.evIn, b.evOut}) connect(box, &QCheckBox::toggled, this, &FormBinding::changed);
    }
}

config::FormModel FormBinding::form() const {
    config::FormModel m;
    m.ping = ui_.CB_PING->currentIndex();
    m.a232 = ui_.CB_A232->currentIndex();
    m.b232 = ui_.CB_B232->currentIndex();
    for (int f = 0; f < config::FieldCount; ++f) m.text[f] = fieldEdits_[f]->text().toStdString();
    m.evAcp = ui_.CB_EV_ACP->isChecked();
    m.bzAcp = ui_.CB_BZ_ACP->isChecked();
    m.evAcn = ui_.CB_EV_ACN->isChecked();
    m.bzAcn = ui_.CB_BZ_ACN->isChecked();
    for (int g = 0; g < config::GroupCount; ++g) {
        const GroupBoxes& b = groupBoxes_[g];
        const auto group = static_cast<config::Group>(g);
        m.setRegister(group, b.evIn->isChecked(), b.evOut->isChecked());
        // Through the coupling, "Durante" first: a state the widgets hold
        // comes out as it is, and a click then applies the box it changed.
        m.setBuzzer(group, config::Buzzer::In, false);
        m.setBuzzer(group, config::Buzzer::Out, false);
        m.setBuzzer(group, config::Buzzer::During, b.bzWh->isChecked());
        if (b.bzIn->isChecked()) m.setBuzzer(group, config::Buzzer::In, true);
        if (b.bzOut->isChecked()) m.setBuzzer(group, config::Buzzer::Out, true);
    }
    return m;
}

void FormBinding::show(const config::FormModel& m) {
    // Setting the widgets is no edit of the technician's.
    const bool wasShowing = std::exchange(showing_, true);
    ui_.CB_PING->setCurrentIndex(m.ping);
    ui_.CB_A232->setCurrentIndex(m.a232);
    ui_.CB_B232->setCurrentIndex(m.b232);
    for (int f = 0; f < config::FieldCount; ++f) fieldEdits_[f]->setText(QString::fromStdString(m.text[f]));
    ui_.CB_EV_ACP->setChecked(m.evAcp);
    ui_.CB_BZ_ACP->setChecked(m.bzAcp);
    ui_.CB_EV_ACN->setChecked(m.evAcn);
    ui_.CB_BZ_ACN->setChecked(m.bzAcn);
    for (int g = 0; g < config::GroupCount; ++g) {
        const GroupBoxes& b = groupBoxes_[g];
        const config::EventBoxes& s = m.group(static_cast<config::Group>(g));
        b.evIn->setChecked(s.evIn);
        b.evOut->setChecked(s.evOut);
        b.bzIn->setChecked(s.bzIn);
        b.bzOut->setChecked(s.bzOut);
        b.bzWh->setChecked(s.bzWh);
    }
    showing_ = wasShowing;
}

}  // namespace vek::app
