#include "gui/briefing/briefedit.h"

#include "core/briefing/mapgraphics.h"
#include "core/platform/filesystem.h"
#include "gui/briefing/mappreview.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/waitcursor.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace hartool {

namespace {

const char* const kCaption = "Edit Briefing";

// The game reads a text as one line.
std::string oneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

// A page as the editor shows it.
std::pair<std::string, std::string> shownPage(const Briefing& page) {
    return {page.CHEADING.empty() ? "" : page.HEADING(), page.BTEXT()};
}

std::size_t brackets(const std::string& s) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '['));
}

}  // namespace

BriefEdit_vo::BriefEdit_vo(QWidget* owner) : ui::Dialog("BriefEdit_vo", owner) {
    bind(ui.RBGMODE, "RBGMODE");
    bind(ui.RBBLUE, "RBBLUE");
    bind(ui.RBRED, "RBRED");
    bind(ui.SLEBRIEF1, "SLEBRIEF1");
    bind(ui.MLEBRIEF1, "MLEBRIEF1");
    bind(ui.SLEBRIEF2, "SLEBRIEF2");
    bind(ui.MLEBRIEF2, "MLEBRIEF2");
    bind(ui.SLEBRIEF3, "SLEBRIEF3");
    bind(ui.MLEBRIEF3, "MLEBRIEF3");
    bind(ui.SLEBRIEF4, "SLEBRIEF4");
    bind(ui.MLEBRIEF4, "MLEBRIEF4");
    bind(ui.SLEBRIEF5, "SLEBRIEF5");
    bind(ui.MLEBRIEF5, "MLEBRIEF5");
    bind(ui.PSHSAVE, "PSHSAVE");
    bind(ui.PSHCANCEL, "PSHCANCEL");
    bind(ui.PSHMAP, "PSHMAP");
    ui.RBGMODE->FILLUSING({{ui.RBBLUE, QStringLiteral("rbBlue")}, {ui.RBRED, QStringLiteral("rbRed")}});
}

BriefEdit::BriefEdit(QWidget* owner, const std::string& briefingFile, bool doubleMode, std::string gameFolder)
    : BriefEdit_vo(owner), brief_(briefingFile, doubleMode), gameFolder_(std::move(gameFolder)) {
    ui.RBGMODE->FILLUSING({{ui.RBBLUE, true}, {ui.RBRED, false}});
    headings_ = {ui.SLEBRIEF1, ui.SLEBRIEF2, ui.SLEBRIEF3, ui.SLEBRIEF4, ui.SLEBRIEF5};
    texts_ = {ui.MLEBRIEF1, ui.MLEBRIEF2, ui.MLEBRIEF3, ui.MLEBRIEF4, ui.MLEBRIEF5};
    if (brief_.DOUBLEMODE()) {
        blueRead_ = brief_.BLUEBRIEFARRAY();
        redRead_ = brief_.REDBRIEFARRAY();
    } else {
        singleRead_ = brief_.BRIEFARRAY();
    }
    // Blue first, its button checked, so that the player knows which side they type into.
    if (brief_.DOUBLEMODE()) {
        brief_.SETBLUEMODE(true);
        ui.RBGMODE->SETVALUE(true);
    }
    BRIEF2SCREEN();
    if (!brief_.DOUBLEMODE()) ui.RBGMODE->setEnabled(false);
}

void BriefEdit::BRIEF2SCREEN() {
    const std::vector<Briefing>& pages = brief_.BRIEFARRAY();
    for (std::size_t k = 0; k < headings_.size() && k < pages.size(); ++k) {
        texts_[k]->setPlainText(ui::toQt(pages[k].BTEXT()));
        headings_[k]->setText(pages[k].CHEADING.empty() ? QString() : ui::toQt(pages[k].HEADING()));
    }
}

void BriefEdit::SCREEN2BRIEF() {
    std::vector<Briefing>& pages = brief_.BRIEFARRAY();
    for (std::size_t k = 0; k < headings_.size() && k < pages.size(); ++k) {
        const std::string text = ui::fromQt(texts_[k]->toPlainText());
        pages[k].CTEXT = text.empty() ? "" : " 1, 1, " + oneLine(text);
        const std::string heading = ui::fromQt(headings_[k]->text());
        pages[k].CHEADING = heading.empty() ? "" : " 9, " + heading;
    }
}

void BriefEdit::BUTTONCLICK(const ui::ControlEvent& event) {
    if (event.name == "RBBLUE" || event.name == "RBRED") {
        SCREEN2BRIEF();
        brief_.SETBLUEMODE(event.name == "RBBLUE");
        BRIEF2SCREEN();
    }
    BriefEdit_vo::BUTTONCLICK(event);
}

std::vector<BriefEdit::PageRef> BriefEdit::everySide() {
    if (!brief_.DOUBLEMODE()) return {{&brief_.BRIEFARRAY(), &singleRead_, ""}};
    return {{&brief_.BLUEBRIEFARRAY(), &blueRead_, "blue"}, {&brief_.REDBRIEFARRAY(), &redRead_, "red"}};
}

std::string BriefEdit::pageWithNewBracket() {
    for (const PageRef& side : everySide()) {
        for (std::size_t k = 0; k < side.pages->size(); ++k) {
            const Briefing& now = (*side.pages)[k];
            const Briefing read = k < side.asRead->size() ? (*side.asRead)[k] : Briefing();
            if (brackets(now.CHEADING) > brackets(read.CHEADING) ||
                brackets(now.CTEXT) > brackets(read.CTEXT))
                return "page " + std::to_string(k + 1) +
                       (side.side.empty() ? "" : " of the " + side.side + " briefing");
        }
    }
    return "";
}

void BriefEdit::PSHSAVE() {
    SCREEN2BRIEF();
    if (const std::string page = pageWithNewBracket(); !page.empty()) {
        ui::INFOBOX(
            this, kCaption,
            "the heading or text on " + page +
                " holds a \"[\"; the game stops reading a briefing there, so it cannot be saved: please "
                "remove it (nothing was saved)");
        return;
    }
    // Writing walks through both sides and leaves the model on red; the screen may still show blue.
    const bool blue = brief_.BLUEMODE();
    const platform::Status written = brief_.WRITEBRIEFINGS();
    brief_.SETBLUEMODE(blue);
    if (!written) {
        ui::INFOBOX(this, kCaption,
                    "the briefing could not be saved to " + platform::shownPath(brief_.PATH(), gameFolder_) +
                        ": " + written.error);
        return;
    }
    ENDDIALOG(1);
}

bool BriefEdit::changed() {
    SCREEN2BRIEF();
    for (const PageRef& side : everySide()) {
        for (std::size_t k = 0; k < std::max(side.pages->size(), side.asRead->size()); ++k) {
            const Briefing now = k < side.pages->size() ? (*side.pages)[k] : Briefing();
            const Briefing read = k < side.asRead->size() ? (*side.asRead)[k] : Briefing();
            if (shownPage(now) != shownPage(read)) return true;
        }
    }
    return false;
}

void BriefEdit::ENDDIALOG(int result) {
    if (result == Rejected && changed()) {
        const std::string path = brief_.PATH();
        const std::string name = path.substr(path.find_last_of("\\/") + 1);
        switch (ui::WARNINGBOX(this, kCaption, "save the changes to briefing " + name + " ?",
                               {ui::Reply::Yes, true})) {
            case ui::Reply::Yes:
                PSHSAVE();  // closes once saved; a failure is shown and the editor stays
                return;
            case ui::Reply::Cancel:
                return;
            case ui::Reply::No:
                break;
        }
    }
    BriefEdit_vo::ENDDIALOG(result);
}

void BriefEdit::PSHCANCEL() {
    ENDDIALOG(2);
}

void BriefEdit::PSHMAP() {
    // The rows on screen decide which pages the game would leave out.
    SCREEN2BRIEF();
    std::optional<MapPreview> preview;
    {
        ui::WaitCursor wait;
        std::vector<MapPage> pages = mapPages(brief_);
        std::size_t first = 0;
        if (brief_.DOUBLEMODE() && !brief_.BLUEMODE())
            while (first < pages.size() && pages[first].side != "red") ++first;
        preview.emplace(this, std::move(pages), gameFolder_, first);
    }
    preview->setWindowTitle(windowTitle() + " - " + preview->windowTitle());
    const std::string file = platform::shownPath(brief_.PATH());
    preview->setPictureName(file.substr(file.find_last_of("\\/") + 1));
    ui::showModal(*preview);
}

}  // namespace hartool
