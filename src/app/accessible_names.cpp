#include "app/accessible_names.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRegularExpression>

#include "app/app_texts.h"
#include "ui_main_window.h"
#include "text/language.h"

namespace vek::app {

namespace {

QString plain(const QString& caption) {
    QString text = caption.simplified();
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    return text;
}

QString titleOf(const QWidget* w) {
    const auto* group = qobject_cast<const QGroupBox*>(w);
    return group ? plain(group->title()) : QString();
}

// "VELOCIDADE: ALERTA BUZZER: Durante": the box's group, the row label beside
// it, its caption. The engine-brake boxes sit in a group per row ("ENTRADA")
// inside their block's group; ACELERAÇÃO's boxes are rows of their own.
QString checkBoxName(const QCheckBox* box) {
    static const QRegularExpression rowed(QStringLiteral("^CB_(EV|BZ)_([A-Z]+)_(IN|OUT|WH)$"));
    const QString caption = plain(box->text());
    const QWidget* parent = box->parentWidget();
    const QString group = titleOf(parent);
    if (const auto m = rowed.match(box->objectName()); m.hasMatch()) {
        const QString rowLabel = QStringLiteral("L_%1_%2").arg(m.captured(1), m.captured(2));
        if (const auto* label = parent->findChild<QLabel*>(rowLabel, Qt::FindDirectChildrenOnly))
            return vek::translated(texts::kCheckBoxName).arg(group, plain(label->text()), caption);
        if (const QString outer = titleOf(parent->parentWidget()); !outer.isEmpty())
            return vek::translated(texts::kCheckBoxName).arg(outer, group, caption);
    }
    return group.isEmpty() ? caption : group + QStringLiteral(": ") + caption;
}

}  // namespace

void nameControls(Ui::MainWindow& ui) {
    for (QGroupBox* group : {ui.GB_Config, ui.GB_EBK})
        for (QCheckBox* box : group->findChildren<QCheckBox*>()) box->setAccessibleName(checkBoxName(box));

    const struct {
        QComboBox* combo;
        QLabel* label;
        QLabel* note;
    } combos[] = {{ui.CB_PING, ui.L_PING, ui.L_PINGNote},
                  {ui.CB_A232, ui.L_A232, ui.L_A232Note},
                  {ui.CB_B232, ui.L_B232, ui.L_B232Note}};
    for (const auto& c : combos) {
        c.label->setBuddy(c.combo);
        c.combo->setAccessibleName(
            vek::translated(texts::kComboWithNote).arg(plain(c.label->text()), plain(c.note->text())));
    }
    ui.ComboBox1->setAccessibleName(vek::translated(texts::kPortListName));

    const std::pair<QWidget*, const char*> named[] = {
        {ui.Log, texts::kLogName},
        {ui.StatusLine, texts::kStatusName},
        {ui.ProgressBar1, texts::kProgressName},
        {ui.LogIdList, texts::kIdListName},
        {ui.L_IdList, texts::kIdCountName},
        {ui.Edit1, texts::kUsbIdName},
        {ui.Edit2, texts::kQrIdName},
        {ui.Label0, texts::kVerdictName},
    };
    for (const auto& [w, name] : named) w->setAccessibleName(QString::fromUtf8(name));
    ui.Label7->setBuddy(ui.Edit1);
    ui.Label8->setBuddy(ui.Edit2);

    // Beyond the window's edge: never seen, so never reached by Tab either.
    for (QWidget* hidden : {static_cast<QWidget*>(ui.GB_EBK), static_cast<QWidget*>(ui.B_FwTx),
                            static_cast<QWidget*>(ui.B_FwJump), static_cast<QWidget*>(ui.B_GetConfig)}) {
        hidden->setFocusPolicy(Qt::NoFocus);
        for (QWidget* child : hidden->findChildren<QWidget*>()) child->setFocusPolicy(Qt::NoFocus);
    }
}

}  // namespace vek::app
