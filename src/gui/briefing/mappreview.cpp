#include "gui/briefing/mappreview.h"

#include "core/platform/filesystem.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/waitcursor.h"

#include <QBuffer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

namespace hartool {

namespace {

const char* const kSaveCaption = "Save as PNG";
constexpr int kMaxZoom = 4;

}  // namespace

MapPreview_vo::MapPreview_vo(QWidget* owner) : ui::Dialog("MapPreview_vo", owner) {
    bind(ui.FTXTPAGE, "FTXTPAGE");
    bind(ui.CMBPAGE, "CMBPAGE");
    bind(ui.FTXTZOOM, "FTXTZOOM");
    bind(ui.CMBZOOM, "CMBZOOM");
    bind(ui.FTXTMAP, "FTXTMAP");
    bind(ui.FTXTENTRY, "FTXTENTRY");
    bind(ui.FTXTSTATUS, "FTXTSTATUS");
    bind(ui.PSHSAVEPNG, "PSHSAVEPNG");
    bind(ui.PSHCANCEL, "PSHCANCEL");
}

MapPreview::MapPreview(QWidget* owner, std::vector<MapPage> pages, const std::string& gameFolder,
                       std::size_t first)
    : MapPreview_vo(owner), pages_(std::move(pages)), images_(gameFolder), renderer_(images_) {
    ui.FTXTPAGE->setBuddy(ui.CMBPAGE);
    ui.FTXTZOOM->setBuddy(ui.CMBZOOM);
    ui.FTXTSTATUS->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The map view takes the place the template keeps for it, inside its sunken frame, and grows with it.
    view_ = new QScrollArea(ui.FTXTMAP);
    view_->setObjectName(QStringLiteral("MAPVIEW"));
    auto* fill = new QVBoxLayout(ui.FTXTMAP);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(view_);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setAlignment(Qt::AlignCenter);
    view_->setBackgroundRole(QPalette::Dark);
    canvas_ = new QLabel;
    canvas_->setObjectName(QStringLiteral("MAPCANVAS"));
    canvas_->setMouseTracking(true);
    canvas_->installEventFilter(this);
    view_->setWidget(canvas_);
    setTabOrder(ui.CMBZOOM, view_);

    std::vector<std::string> titles;
    for (const MapPage& page : pages_) titles.push_back(pageTitle(page));
    ui.CMBPAGE->FILLUSING(titles);
    ui.CMBZOOM->FILLUSING({"1x", "2x", "3x", "4x"});
    ui.CMBZOOM->SETCURRENTITEMNO(1);
    if (pages_.empty()) {
        ui.CMBPAGE->setEnabled(false);
        ui.FTXTSTATUS->setText(QStringLiteral("The briefing has no pages."));
        return;
    }
    showPage(first < pages_.size() ? first : 0);
}

void MapPreview::showPage(std::size_t index) {
    if (index >= pages_.size()) return;
    shown_ = index;
    ui.CMBPAGE->SETCURRENTITEMNO(index + 1);
    redraw();
}

void MapPreview::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, kMaxZoom);
    ui.CMBZOOM->SETCURRENTITEMNO(static_cast<std::size_t>(zoom_));
    if (!pages_.empty()) redraw();
}

void MapPreview::highlightEntry(std::size_t entry) {
    highlight_.emplace(shown_, entry);
    if (!pages_.empty()) redraw();
}

void MapPreview::redraw() {
    ui::WaitCursor wait;
    const MapPage& page = pages_[shown_];
    std::optional<std::size_t> framed;
    if (highlight_ && highlight_->first == shown_) framed = highlight_->second;
    rendered_ = renderer_.render(page, zoom_, framed);
    canvas_->setPixmap(QPixmap::fromImage(rendered_.image));
    canvas_->resize(rendered_.image.size());
    canvas_->setToolTip(QString());
    ui.FTXTENTRY->clear();
    ui.FTXTSTATUS->setText(
        ui::toQt(mapStatusText(page, rendered_.offMap, rendered_.notFound, rendered_.unreadable)));
    ui.FTXTSTATUS->setToolTip(ui.FTXTSTATUS->text());
}

std::string MapPreview::entryAt(QPoint pixel) const {
    if (pages_.empty()) return "";
    const QPointF mapPoint(static_cast<double>(pixel.x()) / zoom_, static_cast<double>(pixel.y()) / zoom_);
    const int entry = MapRenderer::entryAt(rendered_, mapPoint);
    if (entry < 0) return "";
    return describeMapEntry(pages_[shown_].entries[static_cast<std::size_t>(entry)]);
}

bool MapPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::MouseMove) {
        const QString text = ui::toQt(entryAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        ui.FTXTENTRY->setText(text);
        canvas_->setToolTip(text);
    }
    return MapPreview_vo::eventFilter(watched, event);
}

void MapPreview::LISTBOXSELECT(const ui::ControlEvent& event) {
    if (event.name == "CMBPAGE" && ui.CMBPAGE->CURRENTITEMNO() > 0) showPage(ui.CMBPAGE->CURRENTITEMNO() - 1);
    if (event.name == "CMBZOOM" && ui.CMBZOOM->CURRENTITEMNO() > 0)
        setZoom(static_cast<int>(ui.CMBZOOM->CURRENTITEMNO()));
    MapPreview_vo::LISTBOXSELECT(event);
}

void MapPreview::PSHSAVEPNG() {
    if (pages_.empty()) return;
    const MapPage& page = pages_[shown_];
    QFileDialog ask(this, QString::fromLatin1(kSaveCaption));
    ask.setObjectName(QStringLiteral("SaveMapPng"));
    ask.setAcceptMode(QFileDialog::AcceptSave);
    ask.setNameFilter(QStringLiteral("PNG pictures (*.png)"));
    ask.setDefaultSuffix(QStringLiteral("png"));
    // The briefing's name and the page, in the folder the player saved to last (at first their pictures).
    static QString lastFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    ask.setDirectory(lastFolder);
    ask.selectFile(QStringLiteral("%1 %2page %3.png")
                       .arg(ui::toQt(pictureName_))
                       .arg(page.side.empty() ? QString() : ui::toQt(page.side) + QLatin1Char(' '))
                       .arg(page.page));
    if (ui::showModal(ask) != QDialog::Accepted || ask.selectedFiles().isEmpty()) return;
    const QString chosen = ask.selectedFiles().constFirst();
    lastFolder = QFileInfo(chosen).absolutePath();
    const std::string path = ui::pathFromQt(chosen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!rendered_.image.save(&buffer, "PNG")) {
        ui::INFOBOX(this, kSaveCaption, "the picture could not be made as a PNG; nothing was saved");
        return;
    }
    const platform::Status written =
        platform::writeFile(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (!written) {
        ui::INFOBOX(this, kSaveCaption,
                    "the picture could not be saved to " + platform::shownPath(path) + ": " + written.error);
        return;
    }
    ui.FTXTENTRY->setText(ui::toQt("saved to ") + ui::pathToQt(platform::fileSystem().nativePath(path)));
}

void MapPreview::PSHCANCEL() {
    ENDDIALOG(QDialog::Rejected);
}

}  // namespace hartool
