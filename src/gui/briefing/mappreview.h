#pragma once

#include "core/briefing/mapgraphics.h"
#include "core/image/imagefolder.h"
#include "gui/briefing/maprender.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

#include <QLabel>
#include <QScrollArea>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hartool {

// Layout of the map preview: the page and zoom choices, the map, two status lines.
class MapPreview_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit MapPreview_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FTXTPAGE;
        ui::MYCOMBOBOX* CMBPAGE;
        QLabel* FTXTZOOM;
        ui::MYCOMBOBOX* CMBZOOM;
        QLabel* FTXTMAP;
        QLabel* FTXTENTRY;
        QLabel* FTXTSTATUS;
        ui::MYPUSHBUTTON* PSHSAVEPNG;
        ui::MYPUSHBUTTON* PSHCANCEL;
    } ui;
};

// Shows what a briefing's graphics entries draw on each page's map, with the game's images where the game
// folder has them and stand-ins where not, and names the entry under the pointer.
class MapPreview : public MapPreview_vo {
    Q_OBJECT
  public:
    // pages as mapPages() gives them; gameFolder ends in a separator ("" draws stand-ins only); first is the
    // page shown first.
    MapPreview(QWidget* owner, std::vector<MapPage> pages, const std::string& gameFolder,
               std::size_t first = 0);

    // index into the pages; zoom 1 to 4.
    void showPage(std::size_t index);
    void setZoom(int zoom);
    // Frames an entry (an index into the shown page's entries) while that page is shown.
    void highlightEntry(std::size_t entry);
    std::size_t pageShown() const { return shown_; }
    int zoom() const { return zoom_; }
    // What Save as PNG names the picture after: the briefing's name.
    void setPictureName(std::string name) { pictureName_ = std::move(name); }
    const RenderedMap& rendered() const { return rendered_; }
    // The line naming the entry at a pixel of the map shown, "" when none is there.
    std::string entryAt(QPoint pixel) const;

    void LISTBOXSELECT(const ui::ControlEvent& event) override;

  public slots:
    void PSHSAVEPNG();
    void PSHCANCEL();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void redraw();

    std::vector<MapPage> pages_;
    std::string pictureName_ = "map";
    image::ImageFolder images_;
    MapRenderer renderer_;
    RenderedMap rendered_;
    std::size_t shown_ = 0;
    int zoom_ = 1;
    std::optional<std::pair<std::size_t, std::size_t>> highlight_;  // page, entry
    QScrollArea* view_ = nullptr;
    QLabel* canvas_ = nullptr;
};

}  // namespace hartool
