#include "support/guicaptionfit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <climits>

namespace hartool::test {

namespace {

// The text as drawn: "&&" is an ampersand, a single "&" marks the mnemonic.
QString drawnText(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

bool labelFits(const QLabel& label) {
    const QRect room = label.contentsRect();
    const QFontMetrics metrics(label.font());
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX / 2),
                                              Qt::TextWordWrap | label.alignment(), label.text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

bool pushButtonFits(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    if (button.isDefault()) option.features |= QStyleOptionButton::DefaultButton;
    const QStyle* style = button.style();
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
    const int indicator =
        button.isDefault() ? style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, &button) : 0;
    const QFontMetrics metrics(button.font());
    const int width = metrics.horizontalAdvance(drawnText(button.text())) + 2 * (margin + frame + indicator);
    const int height = metrics.height() + 2 * frame;
    return width <= button.width() && height <= button.height();
}

bool indicatorButtonFits(const QAbstractButton& button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    const QFontMetrics metrics(button.font());
    return metrics.horizontalAdvance(drawnText(button.text())) <= room.width() &&
           metrics.height() <= button.height();
}

bool groupTitleFits(const QGroupBox& group) {
    if (group.title().isEmpty()) return true;
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect label =
        group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
    const QFontMetrics metrics(group.font());
    return metrics.horizontalAdvance(drawnText(group.title())) <= label.width() &&
           group.rect().contains(label);
}

}  // namespace

std::vector<std::string> cutOffCaptions(const QWidget& dialog) {
    std::vector<std::string> names;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        bool fits = true;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            fits = labelFits(*label);
        } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            fits = pushButtonFits(*button);
        } else if (const auto* check = qobject_cast<const QCheckBox*>(widget)) {
            fits = indicatorButtonFits(*check, QStyle::SE_CheckBoxContents);
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(widget)) {
            fits = indicatorButtonFits(*radio, QStyle::SE_RadioButtonContents);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            fits = groupTitleFits(*group);
        }
        if (!fits) names.push_back(widget->objectName().toStdString());
    }
    return names;
}

}  // namespace hartool::test
