#pragma once

#include "gui/templates/dialogtemplate.h"

#include <QDialog>
#include <QFont>
#include <QListWidget>

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

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    QWidget* createControl(const resources::ControlTemplate& row, QWidget* parent);
    void connectControl(QWidget* widget, const resources::ControlTemplate& row);
    void clickButton(const QString& name);
    [[noreturn]] void missingControl(std::string_view name) const;

    const resources::DialogTemplate& template_;
    DialogUnits units_;
    bool hasDefaultButton_;
    bool reported_ = false;
};

}  // namespace hartool::ui
