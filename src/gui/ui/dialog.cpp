#include "gui/ui/dialog.h"

#include "core/game/gamecheck.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
#include "gui/ui/controls.h"
#include "gui/ui/textconvert.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace hartool::ui {

using resources::ControlKind;
using resources::ControlTemplate;
using resources::DialogTemplate;

namespace {

// The library's predefined colour number 1.
const QColor kHighlightColour(0, 0, 128);
// The settings section of the sizes players gave the dialogs: "MTool_vo=700 420", in logical pixels.
const char* const kSizeSection = "SIZE";

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

int captionWidth(const QWidget& window) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int button = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight), 2 * metrics.height());
    return metrics.horizontalAdvance(window.windowTitle()) + 4 * button;
}

QSize textWindowSize(const QWidget* owner, const QFont& font) {
    const QFontMetrics metrics(font);
    QSize size(metrics.horizontalAdvance(QLatin1Char('x')) * 90, metrics.lineSpacing() * 35);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    return size;
}

QSize roomOnScreen(const QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The frame is not known before the window manager has framed the window once.
    const int border = 4;
    const int title = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return screen->availableGeometry().size() - QSize(2 * border, title + 2 * border);
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
    templateSize_ = QSize(units_.x(template_.width), units_.y(template_.height));
    resizable_ = std::any_of(template_.controls.begin(), template_.controls.end(),
                             [](const ControlTemplate& row) { return !row.follow.stays(); });
    // Settled at the first showing; until then the template's size.
    setFixedSize(templateSize_);
    // Windows places a dialog relative to its owner's client area.
    if (QWidget* owner = parentWidget())
        move(owner->mapToGlobal(QPoint(units_.x(template_.x), units_.y(template_.y))));

    const QSize room = roomOnScreen(parentWidget());
    if (templateSize_.height() > room.height() || templateSize_.width() > room.width()) {
        // The bottom row (the controls that move with the bottom edge) stays in reach below the rest,
        // unless the dialog is too narrow for it too.
        bandTop_ = templateSize_.height();
        if (templateSize_.width() <= room.width()) {
            for (const ControlTemplate& row : template_.controls)
                if (row.follow.top == 100 && row.follow.bottom == 100)
                    bandTop_ = std::min(bandTop_, units_.y(row.y) - units_.y(2));
        }
        // Room beside the rows for their vertical scroll bar, so that they need no sideways one.
        scrollBarRoom_ = std::clamp(style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0,
                                    std::max(0, room.width() - templateSize_.width()));
        scroller_ = new QScrollArea(this);
        scroller_->setObjectName(QStringLiteral("SCROLLER"));
        scroller_->setFrameShape(QFrame::NoFrame);
        scroller_->setWidgetResizable(true);
        canvas_ = new QWidget;
        canvas_->setMinimumSize(templateSize_.width(), bandTop_);
        canvas_->installEventFilter(this);
        scroller_->setWidget(canvas_);
    }

    QWidget* group = nullptr;
    QRect groupRect;
    std::vector<QWidget*> focusable;
    std::vector<std::pair<QWidget*, const ControlTemplate*>> created;
    for (const ControlTemplate& row : template_.controls) {
        QRect rect = units_.rect(row.x, row.y, row.w, row.h);
        QWidget* frame = canvas_ && rect.top() < bandTop_ ? canvas_ : this;
        // Radio buttons inside their group are its children, so that disabling the group disables them.
        QWidget* parent = frame;
        QWidget* inGroup = nullptr;
        if (row.kind == ControlKind::RadioButton && group && groupRect.contains(rect)) {
            parent = inGroup = group;
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
        placed_.push_back({widget, rect, row.follow, frame, inGroup});
        widget->setGeometry(inGroup ? rect.translated(-groupRect.topLeft()) : rect);
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
    layOut();
}

void Dialog::keepColumnsVisible(QListWidget& list, int columns) {
    columns_.push_back({&list, columns});
}

namespace {
// The width a list needs to show lines of that many characters of its font without a sideways scroll bar.
int widthForColumns(const QListWidget& list, int columns) {
    const QStyle* style = list.style();
    const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    const int scrollBar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    return QFontMetrics(list.font()).horizontalAdvance(QString(columns, QLatin1Char('M'))) + 2 * textMargin +
           2 * list.frameWidth() + scrollBar + 2;
}

}  // namespace

QSize rememberedSize(const std::string& name) {
    std::istringstream in(platform::GETENVIRONMENT(kSizeSection, name, platform::iniFile()));
    int w = 0, h = 0;
    if (!(in >> w >> h) || w <= 0 || h <= 0 || w > QWIDGETSIZE_MAX || h > QWIDGETSIZE_MAX) return {};
    return QSize(w, h);
}

void rememberSize(const std::string& name, QSize size) {
    platform::WRITEENVIRONMENT(kSizeSection, name,
                               std::to_string(size.width()) + " " + std::to_string(size.height()),
                               platform::iniFile());
}

QSize Dialog::openingSize() const {
    if (const QSize saved = rememberedSize(sizeKey()); saved.isValid()) return saved;
    QSize size = templateSize_;
    for (const Columns& c : columns_) {
        if (!c.list) continue;
        const auto placed =
            std::find_if(placed_.begin(), placed_.end(), [&](const Placed& p) { return p.widget == c.list; });
        if (placed == placed_.end()) continue;
        const int share = placed->follow.right - placed->follow.left;
        const int missing = widthForColumns(*c.list, c.columns) - placed->rect.width();
        if (share <= 0 || missing <= 0) continue;
        size.setWidth(std::max(size.width(), templateSize_.width() + (missing * 100 + share - 1) / share));
    }
    return size;
}

void Dialog::settleSize() {
    const QSize room = roomOnScreen(parentWidget());
    QSize minimum = canvas_ ? (templateSize_ + QSize(scrollBarRoom_, 0)).boundedTo(room) : templateSize_;
    minimum.setWidth(std::max(minimum.width(), std::min(captionWidth(*this), room.width())));
    if (!resizable_) {
        setFixedSize(minimum);
    } else {
        setMinimumSize(minimum);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(openingSize().expandedTo(minimum).boundedTo(room.expandedTo(minimum)));
    }
    openedSize_ = size();
    layOut();
    // Placed by its owner, it may still reach past the screen's edge.
    if (testAttribute(Qt::WA_Moved)) {
        if (const QScreen* screen =
                parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            const QSize frame = area.size() - room;
            const int x = std::clamp(pos().x(), area.left(),
                                     std::max(area.left(), area.right() + 1 - width() - frame.width()));
            const int y = std::clamp(pos().y(), area.top(),
                                     std::max(area.top(), area.bottom() + 1 - height() - frame.height()));
            move(x, y);
        }
    }
}

void Dialog::layOut() {
    if (scroller_) {
        scroller_->setGeometry(0, 0, width(), height() - (templateSize_.height() - bandTop_));
        layOut(canvas_, QSize(templateSize_.width(), bandTop_));
    }
    layOut(this, templateSize_);
}

// Each edge of a control moves by its share of how much the frame has grown beyond the template. A fixed
// dialog grows only in width, for its caption, and keeps its controls in the middle.
void Dialog::layOut(const QWidget* frame, QSize base) {
    const int dx = frame->width() - base.width();
    const int dy = frame->height() - base.height();
    for (const Placed& p : placed_) {
        const resources::Follow follow = resizable_ ? p.follow : resources::Follow{50, 0, 50, 0};
        if (p.frame != frame || (follow.stays() && !p.group)) continue;
        const int left = p.rect.left() + dx * follow.left / 100;
        const int top = p.rect.top() + dy * follow.top / 100;
        const int right = p.rect.left() + p.rect.width() + dx * follow.right / 100;
        const int bottom = p.rect.top() + p.rect.height() + dy * follow.bottom / 100;
        QRect rect(left, top, std::max(0, right - left), std::max(0, bottom - top));
        if (p.group) rect.translate(-p.group->pos());
        p.widget->setGeometry(rect);
    }
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

void Dialog::setVisible(bool visible) {
    if (visible && !settled_) {
        settled_ = true;
        settleSize();
    }
    QDialog::setVisible(visible);
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

bool Dialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Resize) layOut(canvas_, canvas_->minimumSize());
    return QDialog::eventFilter(watched, event);
}

void Dialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void Dialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Only a size the player chose is kept: the template's and the lists' may change with the program.
    if (!resizable_ || !settled_ || size() == openedSize_ || event->spontaneous()) return;
    rememberSize(sizeKey(), size());
    openedSize_ = size();
}

void Dialog::missingControl(std::string_view name) const {
    qFatal("%s: no control %.*s of the expected class", qPrintable(objectName()),
           static_cast<int>(name.size()), name.data());
}

}  // namespace hartool::ui
