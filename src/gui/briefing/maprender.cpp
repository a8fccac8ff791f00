#include "gui/briefing/maprender.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <set>

#include "gui/ui/textconvert.h"

namespace hartool {

namespace {

constexpr int kMap = kBriefingMapSize;
constexpr int kMaxZoom = 8;

const QColor kBlue(40, 110, 255);
const QColor kRed(230, 40, 40);
const QColor kNoSide(170, 170, 170);
const QColor kGround(70, 84, 58);
const QColor kGrid(88, 104, 72);
const QColor kOffMapMark(255, 215, 0);
const QColor kHighlight(0, 255, 255);

QImage toQImage(const image::Image& picture, bool sprite) {
    const bool clear = sprite && picture.seeThrough.has_value();
    QImage out(picture.width, picture.height, clear ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.at(x, y);
            line[x] = clear && pixel == *picture.seeThrough ? 0u : pixel;
        }
    }
    return out;
}

QColor sideColour(const std::string& image) {
    switch (imageSide(image)) {
        case 0:
            return kBlue;
        case 1:
            return kRed;
        default:
            return kNoSide;
    }
}

// Moves a box to the nearest place on the map.
void ontoMap(QRect& box) {
    box.moveTo(std::clamp(box.x(), 0, std::max(0, kMap - box.width())),
               std::clamp(box.y(), 0, std::max(0, kMap - box.height())));
}

// The stand-in when no map picture could be had: plain ground with a grid of 40 units, so the page still
// reads as a map and cannot be mistaken for the game's own.
void drawGround(QPainter& p) {
    p.fillRect(0, 0, kMap, kMap, kGround);
    p.setPen(kGrid);
    for (int v = 40; v < kMap; v += 40) {
        p.drawLine(v, 0, v, kMap - 1);
        p.drawLine(0, v, kMap - 1, v);
    }
}

void drawStandIn(QPainter& p, const QRect& box, const std::string& image, bool ring) {
    const QColor colour = sideColour(image);
    if (ring) {
        p.setPen(QPen(colour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(box.adjusted(1, 1, -1, -1));
        return;
    }
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setBrush(Qt::NoBrush);
}

QFont labelFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(9);
    // Plain pixels in the entry's own colour, as the game draws them, and sharp when zoomed.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

MapRenderer::MapRenderer(image::ImageFolder& images) : images_(images) {}

const MapRenderer::Picture& MapRenderer::picture(const std::string& name, bool sprite) {
    const std::string key = (sprite ? "s:" : "m:") + name;
    if (auto found = pictures_.find(key); found != pictures_.end()) return found->second;
    const image::LoadedImage& loaded = images_.load(name);
    Picture& picture = pictures_[key];
    if (loaded.ok())
        picture.image = toQImage(loaded.image, sprite);
    else
        picture.error = loaded.error;
    picture.missing = loaded.missing;
    return picture;
}

RenderedMap MapRenderer::render(const MapPage& page, int zoom, std::optional<std::size_t> highlight) {
    zoom = std::clamp(zoom, 1, kMaxZoom);
    RenderedMap out;
    std::set<std::string> noted;
    const auto note = [&](const std::string& name, const Picture& picture) {
        if (!noted.insert(name).second) return;
        if (picture.missing)
            out.notFound.push_back(name);
        else
            out.unreadable.push_back(name + ": " + picture.error);
    };

    QImage canvas(kMap, kMap, QImage::Format_RGB32);
    QPainter p(&canvas);
    const Picture* map = page.map.empty() ? nullptr : &picture(page.map, false);
    if (map && !map->image.isNull()) {
        if (map->image.width() < kMap || map->image.height() < kMap) drawGround(p);
        p.drawImage(0, 0, map->image);
    } else {
        drawGround(p);
        if (map) note(page.map, *map);
    }

    const QFont font = labelFont();
    const QFontMetrics metrics(font);
    p.setFont(font);
    std::vector<QRect> marks;
    for (std::size_t i = 0; i < page.entries.size(); ++i) {
        const MapEntry& e = page.entries[i];
        MapHit hit;
        hit.entry = i;
        switch (e.kind) {
            case MapEntryKind::Line: {
                hit.isLine = true;
                hit.line = QLine(e.at.X, e.at.Y, e.to.X, e.to.Y);
                hit.box = QRect(hit.line.p1(), hit.line.p2()).normalized().adjusted(-2, -2, 2, 2);
                p.setPen(QColor::fromRgb(e.colour));
                p.drawLine(hit.line);
                break;
            }
            case MapEntryKind::Sprite: {
                const Picture& pic = picture(e.image, true);
                const int ring = ringDiameter(e.image);
                QSize size = pic.image.size();
                if (pic.image.isNull()) {
                    note(e.image, pic);
                    size = QSize(standInSize(e.image), standInSize(e.image));
                }
                hit.box = QRect(QPoint(e.at.X, e.at.Y), size);
                if (drawnAtEdge(e, size.width(), size.height())) {
                    ontoMap(hit.box);
                    marks.push_back(hit.box);
                }
                if (pic.image.isNull())
                    drawStandIn(p, hit.box, e.image, ring > 0);
                else
                    p.drawImage(hit.box.topLeft(), pic.image);
                break;
            }
            case MapEntryKind::Label: {
                const QString text = ui::toQt(e.text);
                hit.box =
                    QRect(e.at.X, e.at.Y, std::max(1, metrics.horizontalAdvance(text)), metrics.height());
                if (drawnAtEdge(e)) {
                    ontoMap(hit.box);
                    marks.push_back(hit.box);
                }
                p.setPen(QColor::fromRgb(e.colour));
                p.drawText(hit.box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
                break;
            }
        }
        out.hits.push_back(hit);
    }
    // Marked last, so that no entry hides a mark.
    p.setPen(kOffMapMark);
    p.setBrush(Qt::NoBrush);
    for (const QRect& box : marks)
        p.drawRect(box.adjusted(-1, -1, 0, 0) & QRect(0, 0, kMap, kMap).adjusted(0, 0, -1, -1));
    if (highlight && *highlight < out.hits.size()) {
        p.setPen(QPen(kHighlight, 2));
        p.drawRect(out.hits[*highlight].box.adjusted(-3, -3, 2, 2) & QRect(1, 1, kMap - 2, kMap - 2));
    }
    p.end();
    out.offMap = marks.size();
    out.image = zoom == 1
                    ? canvas
                    : canvas.scaled(kMap * zoom, kMap * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return out;
}

int MapRenderer::entryAt(const RenderedMap& rendered, QPointF at) {
    for (auto hit = rendered.hits.rbegin(); hit != rendered.hits.rend(); ++hit) {
        if (!QRectF(hit->box).contains(at)) continue;
        if (!hit->isLine) return static_cast<int>(hit->entry);
        const QPointF a = hit->line.p1(), b = hit->line.p2();
        const QPointF ab = b - a;
        const double length2 = QPointF::dotProduct(ab, ab);
        const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(at - a, ab) / length2, 0.0, 1.0) : 0.0;
        const QPointF nearest = a + t * ab;
        if (std::hypot(at.x() - nearest.x(), at.y() - nearest.y()) <= 2.5)
            return static_cast<int>(hit->entry);
    }
    return -1;
}

}  // namespace hartool
