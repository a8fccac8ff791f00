#pragma once

#include "gui/templates/dialogtemplate.h"

#include <QDialog>
#include <QFont>
#include <QListWidget>
#include <QPointer>
#include <QScrollArea>

#include <string>
#include <string_view>
#include <vector>

namespace hartool::ui {

struct ControlEvent {
    QWidget* control = nullptr;
    std::string name;
};

// Dialog units to pixels as Windows converts them, from the dialog font's metrics.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);
    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int w, int h) const;

    double averageCharWidth() const { return averageWidth_; }
    double lineHeight() const { return lineHeight_; }

  private:
    double averageWidth_;
    double lineHeight_;
};

// The font of a template, with a sans-serif hint so that a system without it substitutes a like font.
QFont dialogFont(const resources::DialogTemplate& dialogTemplate);
// The desktop's fixed-width font at the template's point size: lists padded with blanks line up in it.
QFont fixedFont(const resources::DialogTemplate& dialogTemplate);
// A list whose items are padded columns: the fixed-width font, and a sideways scroll bar rather than cut
// items, since the column the player needs (a file name) stands at the end.
void showColumns(QListWidget& list, const resources::DialogTemplate& dialogTemplate);

// The width a window needs for its caption in the title bar, which the window manager draws, often bold and
// centred between its buttons.
int captionWidth(const QWidget& window);
// The part of the screen a window of owner may take: the available area less a frame around it.
QSize roomOnScreen(const QWidget* owner);
// The first size of a window of text in font: about 90 columns and 35 lines, within nine tenths of the
// screen.
QSize textWindowSize(const QWidget* owner, const QFont& font);
// The size the player last gave the window of that name (its layout class), kept in the settings; an
// invalid size when there is none.
QSize rememberedSize(const std::string& name);
void rememberSize(const std::string& name, QSize size);

// Base of every layout class: builds its widgets from a template and routes the controls' events.
// A push button's click calls the slot of the same name on the dialog (looked up at click time, so a
// behaviour class's slots count); the other events arrive at the virtual hooks below, and an overriding
// hook calls the inherited one.
class Dialog : public QDialog {
    Q_OBJECT
  public:
    // The template must exist: it is part of the program, not of the user's data.
    Dialog(std::string_view templateName, QWidget* owner);
    Dialog(const resources::DialogTemplate& dialogTemplate, QWidget* owner);

    const resources::DialogTemplate& dialogTemplate() const { return template_; }
    const DialogUnits& units() const { return units_; }

    // nullptr when there is no control of that name and class.
    template <class T>
    T* control(std::string_view name) const {
        return findChild<T*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }

    // Names of the push buttons that have no slot of their name. Complete only after construction.
    std::vector<std::string> missingHandlers() const;

    // Every way of closing the dialog passes through ENDDIALOG(int).
    void done(int result) override;
    // The first showing settles the size: see settleSize().
    void setVisible(bool visible) override;

    // True when the template lets a control follow the dialog's edges: the player may then resize it.
    bool resizable() const { return resizable_; }
    // The dialog's contents scroll because its template is larger than the screen.
    bool scrolls() const { return scroller_ != nullptr; }
    // The settings key of the size the player gave the dialog: the layout class's name.
    std::string sizeKey() const { return std::string(template_.name); }

    virtual void BUTTONCLICK(const ControlEvent& event);
    virtual void EDITCHANGE(const ControlEvent& event);
    virtual void LISTBOXSELECT(const ControlEvent& event);
    virtual void ACTIVATE();
    virtual void ENDDIALOG(int result);

  public slots:
    // The handler of a button named ENDDIALOG (the main dialog's Quit).
    void ENDDIALOG();

  protected:
    // For the layout classes: fills a member with the control of that name, which must exist.
    template <class T>
    void bind(T*& member, std::string_view name) const {
        member = control<T>(name);
        if (!member) missingControl(name);
    }

    // The dialog opens wide enough for columns characters of the list's font in every line of the list.
    void keepColumnsVisible(QListWidget& list, int columns);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // A control and where the template puts it, in the coordinates of the widget it is laid out in.
    struct Placed {
        QWidget* widget;
        QRect rect;
        resources::Follow follow;
        QWidget* frame;  // the dialog, or the canvas that scrolls
        QWidget* group;  // the radio button group it sits in, or nullptr
    };
    struct Columns {
        QPointer<QListWidget> list;
        int columns;
    };

    void build();
    // Minimum and opening size: the template's, wide enough for the caption and the lists' lines, as the
    // player left it last time, and never larger than the screen.
    void settleSize();
    QSize openingSize() const;
    void layOut();
    void layOut(const QWidget* frame, QSize base);
    QWidget* createControl(const resources::ControlTemplate& row, QWidget* parent);
    void connectControl(QWidget* widget, const resources::ControlTemplate& row);
    void clickButton(const QString& name);
    [[noreturn]] void missingControl(std::string_view name) const;

    const resources::DialogTemplate& template_;
    DialogUnits units_;
    bool hasDefaultButton_;
    bool reported_ = false;
    bool resizable_ = false;
    bool settled_ = false;
    QSize templateSize_;
    QSize openedSize_;
    std::vector<Placed> placed_;
    std::vector<Columns> columns_;
    // Only for a template larger than the screen: the controls above the bottom row scroll in it.
    QScrollArea* scroller_ = nullptr;
    QWidget* canvas_ = nullptr;
    int bandTop_ = 0;  // where the bottom row begins, in template pixels
    int scrollBarRoom_ = 0;
};

}  // namespace hartool::ui
