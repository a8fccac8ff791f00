#pragma once

// Draws one briefing page's graphics over its map into an image, without a window: the preview dialog, the
// tests, the screenshot tool and the benchmark all call it.

#include <QImage>
#include <QLine>
#include <QRect>

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/briefing/mapgraphics.h"
#include "core/image/imagefolder.h"

namespace hartool {

// Where an entry was drawn, in map units.
struct MapHit {
    std::size_t entry = 0;  // index into the page's entries
    QRect box;              // sprite and label; for a line, the box around it
    QLine line;             // line only
    bool isLine = false;
};

struct RenderedMap {
    QImage image;                         // 320 * zoom pixels square
    std::vector<MapHit> hits;             // in drawing order: the last one lies on top
    std::size_t offMap = 0;               // sprites and labels moved to the edge
    std::vector<std::string> notFound;    // pictures the game folder lacks, each once
    std::vector<std::string> unreadable;  // pictures that could not be read: "images\uahb.pcx: why"
};

class MapRenderer {
  public:
    explicit MapRenderer(image::ImageFolder& images);

    // zoom from 1 up: every map unit becomes zoom by zoom pixels of the same colour. The highlighted entry
    // (an index into the page's entries) gets a frame drawn over everything.
    RenderedMap render(const MapPage& page, int zoom, std::optional<std::size_t> highlight = std::nullopt);

    // The entry drawn topmost at a map point, or -1.
    static int entryAt(const RenderedMap& rendered, QPointF mapPoint);

  private:
    struct Picture {
        QImage image;       // null when the file was not had
        std::string error;  // then why
        bool missing = false;
    };
    const Picture& picture(const std::string& name, bool sprite);

    image::ImageFolder& images_;
    std::map<std::string, Picture> pictures_;  // by name and use, as written
};

}  // namespace hartool
