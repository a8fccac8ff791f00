#include "gui/ui/dialog.h"

#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMetaMethod>

#include <algorithm>
#include <cmath>

namespace hartool::ui {

using resources::ControlKind;
using resources::ControlTemplate;
using resources::DialogTemplate;

namespace {

// The library's predefined colour number 1.
const QColor kHighlightColour(0, 0, 128);

const DialogTemplate& requireTemplate(std::string_view name) {
    const DialogTemplate* found = resources::findDialogTemplate(name);
    if (!found) qFatal("no dialog template \"%.*s\"", static_cast<int>(name.size()), name.data());
    return *found;
}

QString qName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

Qt::Alignment horizontalAlignment(const ControlTemplate& row) {
    if (row.has(resources::Centre)) return Qt::AlignHCenter;
    if (row.has(resources::Right)) return Qt::AlignRight;
    return Qt::AlignLeft;
}

// A multi-line edit without want-return leaves Enter to the dialog, which presses its default button.
class EnterToDialog : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (!enter || modifiers != Qt::NoModifier) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->window()) return false;
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(widget->window(), &copy);
        return true;
    }
};

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    averageWidth_ = QFontMetricsF(font).horizontalAdvance(kLetters) / 52.0;
    lineHeight_ = QFontMetrics(font).height();
}

int DialogUnits::x(int units) const {
    return static_cast<int>(std::lround(units * averageWidth_ / 4.0));
}
int DialogUnits::y(int units) const {
    return static_cast<int>(std::lround(units * lineHeight_ / 8.0));
}
QRect DialogUnits::rect(int x, int y, int w, int h) const {
    return QRect(this->x(x), this->y(y), this->x(w), this->y(h));
}

QFont dialogFont(const DialogTemplate& dialogTemplate) {
    QFont font(toQt(dialogTemplate.fontFamily));
    font.setPointSize(dialogTemplate.pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont fixedFont(const DialogTemplate& dialogTemplate) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(dialogTemplate.pointSize);
    return font;
}

void showColumns(QListWidget& list, const DialogTemplate& dialogTemplate) {
    list.setFont(fixedFont(dialogTemplate));
    list.setTextElideMode(Qt::ElideNone);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

Dialog::Dialog(std::string_view templateName, QWidget* owner)
    : Dialog(requireTemplate(templateName), owner) {}

Dialog::Dialog(const DialogTemplate& dialogTemplate, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      template_(dialogTemplate),
      units_(dialogFont(dialogTemplate)),
      hasDefaultButton_(std::any_of(
          dialogTemplate.controls.begin(), dialogTemplate.controls.end(), [](const ControlTemplate& row) {
              return row.kind == ControlKind::PushButton && row.has(resources::DefaultButton);
          })) {
    build();
}

void Dialog::build() {
    setObjectName(qName(template_.name));
    setWindowTitle(toQt(template_.caption));
    setFont(dialogFont(template_));
    setModal(true);
    setSizeGripEnabled(false);
    setFixedSize(units_.x(template_.width), units_.y(template_.height));
    // Windows places a dialog relative to its owner's client area.
    if (QWidget* owner = parentWidget())
        move(owner->mapToGlobal(QPoint(units_.x(template_.x), units_.y(template_.y))));

    QWidget* group = nullptr;
    QRect groupRect;
    std::vector<QWidget*> focusable;
    std::vector<std::pair<QWidget*, const ControlTemplate*>> created;
    for (const ControlTemplate& row : template_.controls) {
        QRect rect = units_.rect(row.x, row.y, row.w, row.h);
        // Radio buttons inside their group are its children, so that disabling the group disables them.
        QWidget* parent = this;
        if (row.kind == ControlKind::RadioButton && group && groupRect.contains(rect)) {
            parent = group;
            rect.translate(-groupRect.topLeft());
        }
        QWidget* widget = createControl(row, parent);
        widget->setObjectName(qName(row.name));
        if (!row.toolTip.empty()) widget->setToolTip(toQt(row.toolTip));
        if (row.has(resources::Disabled)) widget->setEnabled(false);
        if (row.kind == ControlKind::ComboBox) {
            // The template's height includes the drop-down list.
            auto* combo = static_cast<QComboBox*>(widget);
            const int fieldHeight = combo->sizeHint().height();
            const int itemHeight = std::max(1, combo->fontMetrics().height());
            combo->setMaxVisibleItems(std::max(1, (rect.height() - fieldHeight) / itemHeight));
            rect.setHeight(fieldHeight);
        }
        widget->setGeometry(rect);
        if (row.kind == ControlKind::RadioButtonGroup) {
            group = widget;
            groupRect = rect;
        }
        if (widget->focusPolicy() & Qt::TabFocus) focusable.push_back(widget);
        created.emplace_back(widget, &row);
    }
    for (std::size_t i = 1; i < focusable.size(); ++i) setTabOrder(focusable[i - 1], focusable[i]);
    // Connected last, so that setting the captions raises no events.
    for (const auto& [widget, row] : created) connectControl(widget, *row);
}

QWidget* Dialog::createControl(const ControlTemplate& row, QWidget* parent) {
    const QString caption = toQt(row.caption);
    switch (row.kind) {
        case ControlKind::FixedText: {
            auto* label = new QLabel(caption, parent);
            label->setWordWrap(true);
            label->setAlignment(horizontalAlignment(row) | Qt::AlignTop);
            label->setTextFormat(Qt::PlainText);
            if (row.has(resources::SunkenBorder)) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            if (row.has(resources::Highlight)) {
                QPalette palette = label->palette();
                palette.setColor(QPalette::WindowText, kHighlightColour);
                label->setPalette(palette);
            }
            return label;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(caption, parent);
        case ControlKind::RadioButtonGroup:
            return new MYRADIOBUTTONGROUP(caption, parent);
        case ControlKind::PushButton: {
            auto* button = new MYPUSHBUTTON(caption, parent);
            // As on Windows: Enter presses the focused push button, and the template's default button while
            // the focus is on any other control. A template without one has none: the toolkit would otherwise
            // make its first auto-default button the default, and Enter in a list would press it.
            button->setAutoDefault(hasDefaultButton_);
            button->setDefault(row.has(resources::DefaultButton));
            return button;
        }
        case ControlKind::SingleLineEdit: {
            auto* edit = new MYSINGLELINEEDIT(caption, parent);
            edit->setAlignment(horizontalAlignment(row) | Qt::AlignVCenter);
            edit->setReadOnly(row.has(resources::ReadOnly));
            return edit;
        }
        case ControlKind::MultiLineEdit: {
            auto* edit = new MYMULTILINEEDIT(caption, parent);
            edit->setTabChangesFocus(true);
            edit->setReadOnly(row.has(resources::ReadOnly));
            edit->setLineWrapMode(row.has(resources::AutoHScroll) ? QPlainTextEdit::NoWrap
                                                                  : QPlainTextEdit::WidgetWidth);
            edit->setVerticalScrollBarPolicy(row.has(resources::VScroll) ? Qt::ScrollBarAlwaysOn
                                                                         : Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            if (!row.has(resources::WantReturn)) edit->installEventFilter(new EnterToDialog(edit));
            return edit;
        }
        case ControlKind::ListBox: {
            auto* list = new MYLISTBOX(parent);
            list->SETMULTIPLESELECTION(row.has(resources::MultipleSelection));
            list->setVerticalScrollBarPolicy(row.has(resources::VScroll) ? Qt::ScrollBarAlwaysOn
                                                                         : Qt::ScrollBarAsNeeded);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            return list;
        }
        case ControlKind::ComboBox: {
            auto* combo = new MYCOMBOBOX(parent);
            if (row.has(resources::DropDownEdit)) {
                combo->setEditable(true);
                combo->setInsertPolicy(QComboBox::NoInsert);
                combo->setCompleter(nullptr);
            }
            return combo;
        }
        case ControlKind::CheckBox:
            return new MYCHECKBOX(caption, parent);
        case ControlKind::RadioButton:
            return new MYRADIOBUTTON(caption, parent);
    }
    qFatal("unknown control kind of %s", row.name.data());
}

void Dialog::connectControl(QWidget* widget, const ControlTemplate& row) {
    const std::string name(row.name);
    const ControlEvent event{widget, name};
    switch (row.kind) {
        case ControlKind::PushButton:
            connect(static_cast<MYPUSHBUTTON*>(widget), &QPushButton::clicked, this,
                    [this, qname = qName(row.name)] { clickButton(qname); });
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                    [this, event] { BUTTONCLICK(event); });
            break;
        case ControlKind::SingleLineEdit:
            connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, this,
                    [this, event] { EDITCHANGE(event); });
            break;
        case ControlKind::MultiLineEdit:
            connect(static_cast<QPlainTextEdit*>(widget), &QPlainTextEdit::textChanged, this,
                    [this, event] { EDITCHANGE(event); });
            break;
        case ControlKind::ListBox:
            connect(static_cast<MYLISTBOX*>(widget), &MYLISTBOX::selectionChangedByUser, this,
                    [this, event] { LISTBOXSELECT(event); });
            break;
        case ControlKind::ComboBox:
            connect(static_cast<MYCOMBOBOX*>(widget), &MYCOMBOBOX::selectionChangedByUser, this,
                    [this, event] { LISTBOXSELECT(event); });
            break;
        case ControlKind::FixedText:
        case ControlKind::GroupBox:
        case ControlKind::RadioButtonGroup:
            break;
    }
}

namespace {
int handlerIndex(const QMetaObject* meta, std::string_view name) {
    const QByteArray signature = QByteArray(name.data(), static_cast<qsizetype>(name.size())) + "()";
    const int index = meta->indexOfMethod(signature.constData());
    if (index < 0 || meta->method(index).methodType() == QMetaMethod::Signal) return -1;
    return index;
}
}  // namespace

void Dialog::clickButton(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    const int index = handlerIndex(metaObject(), std::string_view(utf8.constData(), utf8.size()));
    if (index < 0) {
        qWarning("%s: no handler for the button %s", qPrintable(objectName()), utf8.constData());
        return;
    }
    metaObject()->method(index).invoke(this, Qt::DirectConnection);
}

std::vector<std::string> Dialog::missingHandlers() const {
    std::vector<std::string> missing;
    for (const ControlTemplate& row : template_.controls) {
        if (row.kind == ControlKind::PushButton && handlerIndex(metaObject(), row.name) < 0)
            missing.emplace_back(row.name);
    }
    return missing;
}

void Dialog::done(int result) {
    ENDDIALOG(result);
}

void Dialog::BUTTONCLICK(const ControlEvent&) {}
void Dialog::EDITCHANGE(const ControlEvent&) {}
void Dialog::LISTBOXSELECT(const ControlEvent&) {}
void Dialog::ACTIVATE() {}
void Dialog::ENDDIALOG(int result) {
    QDialog::done(result);
}
void Dialog::ENDDIALOG() {
    ENDDIALOG(QDialog::Rejected);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!hasDefaultButton_ && enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Without a default button, Enter presses the focused push button and nothing else.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Dialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) ACTIVATE();
    return handled;
}

void Dialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (reported_) return;
    reported_ = true;
    // Only now is the behaviour class's meta-object the dialog's.
    for (const std::string& name : missingHandlers())
        qWarning("%s: no handler for the button %s", qPrintable(objectName()), name.c_str());
}

void Dialog::missingControl(std::string_view name) const {
    qFatal("%s: no control %.*s of the expected class", qPrintable(objectName()),
           static_cast<int>(name.size()), name.data());
}

}  // namespace hartool::ui
