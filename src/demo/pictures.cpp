#include "demo/pictures.h"

#include <cmath>
#include <cstdlib>

namespace hartool::demo {

namespace {

// Palette entries. Colour 0 is what sprites leave see-through.
enum : std::uint8_t {
    kClear = 0,
    kBlack,
    kWhite,
    kBlue,
    kLightBlue,
    kRed,
    kLightRed,
    kGrass,
    kMeadow,
    kForest,
    kWater,
    kRoad,
    kHouse,
    kHill,
};

std::array<Rgb, 256> palette() {
    std::array<Rgb, 256> p{};
    p[kClear] = {255, 0, 255};
    p[kBlack] = {0, 0, 0};
    p[kWhite] = {255, 255, 255};
    p[kBlue] = {20, 70, 230};
    p[kLightBlue] = {120, 170, 255};
    p[kRed] = {210, 20, 20};
    p[kLightRed] = {255, 130, 120};
    p[kGrass] = {96, 128, 64};
    p[kMeadow] = {124, 150, 80};
    p[kForest] = {52, 84, 40};
    p[kWater] = {60, 100, 160};
    p[kRoad] = {180, 160, 120};
    p[kHouse] = {150, 140, 130};
    p[kHill] = {140, 130, 90};
    return p;
}

class Canvas {
  public:
    Canvas(int width, int height, std::uint8_t fill) {
        picture_.width = width;
        picture_.height = height;
        picture_.pixels.assign(static_cast<std::size_t>(width) * height, fill);
        picture_.palette = palette();
    }
    void set(int x, int y, std::uint8_t c) {
        if (x >= 0 && y >= 0 && x < picture_.width && y < picture_.height)
            picture_.pixels[static_cast<std::size_t>(y) * picture_.width + x] = c;
    }
    void rect(int x, int y, int w, int h, std::uint8_t c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) set(i, j, c);
    }
    void frame(int x, int y, int w, int h, std::uint8_t c) {
        rect(x, y, w, 1, c);
        rect(x, y + h - 1, w, 1, c);
        rect(x, y, 1, h, c);
        rect(x + w - 1, y, 1, h, c);
    }
    // Every pixel whose centre lies between the radii rIn and rOut around (cx, cy).
    void ring(double cx, double cy, double rIn, double rOut, std::uint8_t c) {
        for (int y = 0; y < picture_.height; ++y)
            for (int x = 0; x < picture_.width; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (d >= rIn && d <= rOut) set(x, y, c);
            }
    }
    const IndexedPicture& picture() const { return picture_; }

  private:
    IndexedPicture picture_;
};

// A unit sign: a framed box in the side's colours with a mark for its kind.
IndexedPicture unitSign(bool blue, bool armour) {
    const std::uint8_t dark = blue ? kBlue : kRed, light = blue ? kLightBlue : kLightRed;
    Canvas c(14, 10, kClear);
    c.rect(0, 0, 14, 10, light);
    c.frame(0, 0, 14, 10, dark);
    if (armour) {
        c.frame(3, 3, 8, 4, dark);
    } else {
        for (int i = 0; i < 10; ++i) {
            c.set(2 + i, 1 + i * 8 / 10, dark);
            c.set(11 - i, 1 + i * 8 / 10, dark);
        }
    }
    return c.picture();
}

IndexedPicture helicopter(bool blue) {
    const std::uint8_t body = blue ? kBlue : kRed;
    Canvas c(16, 9, kClear);
    c.rect(0, 1, 16, 1, kBlack);  // rotor
    c.rect(7, 2, 1, 2, kBlack);
    c.rect(4, 4, 7, 4, body);   // cabin
    c.rect(11, 5, 5, 1, body);  // tail boom
    c.rect(15, 3, 1, 3, body);
    c.rect(4, 8, 7, 1, kBlack);  // skids
    return c.picture();
}

// A ring with a centre of its own colour for each kind of waypoint.
IndexedPicture waypoint(bool blue, std::uint8_t centre) {
    Canvas c(9, 9, kClear);
    c.ring(4.5, 4.5, 2.5, 4.5, blue ? kBlue : kRed);
    c.rect(3, 3, 3, 3, centre);
    return c.picture();
}

IndexedPicture objectiveRing(int diameter, bool blue) {
    Canvas c(diameter, diameter, kClear);
    const double r = diameter / 2.0;
    c.ring(r, r, r - 2, r, blue ? kBlue : kRed);
    return c.picture();
}

// The map of the demo's battlefield: meadows, woods, a river with a road and a bridge, a village, a hill.
IndexedPicture farrowDowns() {
    constexpr int kSize = 320;
    Canvas c(kSize, kSize, kGrass);
    c.rect(20, 200, 90, 60, kMeadow);
    c.rect(210, 30, 80, 50, kMeadow);
    c.ring(250, 240, 0, 34, kHill);
    c.ring(250, 240, 16, 18, kGrass);
    for (const auto [x, y, r] : {std::array{70, 70, 26}, std::array{150, 260, 20}, std::array{280, 150, 18}})
        c.ring(x, y, 0, r, kForest);
    for (int y = 0; y < kSize; ++y) {
        const int x = 160 + static_cast<int>(std::lround(24 * std::sin(y / 40.0)));
        c.rect(x - 5, y, 11, 1, kWater);
    }
    c.rect(0, 150, kSize, 4, kRoad);
    c.rect(150, 146, 40, 12, kHouse);  // the bridge
    for (int i = 0; i < 6; ++i) c.rect(214 + (i % 3) * 12, 120 + (i / 3) * 12, 8, 7, kHouse);
    return c.picture();
}

void appendWord(std::string& s, int v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

}  // namespace

std::string encodePcx(const IndexedPicture& picture) {
    const int lineBytes = picture.width + picture.width % 2;  // lines are even, as the format asks
    std::string out;
    out += '\x0A';  // maker
    out += '\x05';  // version with a 256-colour palette
    out += '\x01';  // run-length encoded
    out += '\x08';  // bits per pixel and plane
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, picture.width - 1);
    appendWord(out, picture.height - 1);
    appendWord(out, 72);
    appendWord(out, 72);
    out.append(48 + 1, '\0');  // the 16-colour palette and a reserved byte
    out += '\x01';             // one plane
    appendWord(out, lineBytes);
    appendWord(out, 1);  // colour
    out.resize(128, '\0');
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes), 0);
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width, picture.width,
                    line.begin());
        for (std::size_t i = 0; i < line.size();) {
            std::size_t n = 1;
            while (i + n < line.size() && n < 63 && line[i + n] == line[i]) ++n;
            if (n > 1 || line[i] >= 0xC0) out += static_cast<char>(0xC0 | n);
            out += static_cast<char>(line[i]);
            i += n;
        }
    }
    out += '\x0C';
    for (const Rgb& c : picture.palette) {
        out += static_cast<char>(c.r);
        out += static_cast<char>(c.g);
        out += static_cast<char>(c.b);
    }
    return out;
}

namespace {

// Another battlefield: a river, a road and woods placed by the seed, so that no two maps look alike.
IndexedPicture fieldMap(std::size_t seed) {
    constexpr int kSize = 320;
    Canvas c(kSize, kSize, kGrass);
    const int shift = static_cast<int>(seed * 53 % 200);
    c.rect(20 + shift / 2, 30, 100, 50, kMeadow);
    for (int i = 0; i < 3; ++i)
        c.ring(40 + (shift + i * 97) % 240, 60 + (shift * 3 + i * 71) % 200, 0, 16 + i * 4, kForest);
    for (int y = 0; y < kSize; ++y) {
        const int x = 60 + shift + static_cast<int>(std::lround(20 * std::sin((y + shift) / 35.0)));
        c.rect(x - 4, y, 9, 1, kWater);
    }
    c.rect(0, 100 + shift / 2, kSize, 4, kRoad);
    return c.picture();
}

// An objective's marker: a flag on a pole.
IndexedPicture objectiveFlag(bool blue) {
    Canvas c(10, 12, kClear);
    c.rect(1, 0, 1, 12, kBlack);
    c.rect(2, 1, 7, 5, blue ? kBlue : kRed);
    return c.picture();
}

}  // namespace

std::vector<DemoFile> demoPictures() {
    std::vector<DemoFile> files;
    const auto add = [&](const char* path, const IndexedPicture& p) {
        files.push_back({path, encodePcx(p)});
    };
    add("Images\\uahb.pcx", helicopter(true));
    add("Images\\rahb.pcx", helicopter(false));
    add("Images\\utnkp.pcx", unitSign(true, true));
    add("Images\\rtnkp.pcx", unitSign(false, true));
    add("Images\\uinfp.pcx", unitSign(true, false));
    add("Images\\rinfp.pcx", unitSign(false, false));
    add("Images\\uwpcp.pcx", waypoint(true, kWhite));
    add("Images\\rwpcp.pcx", waypoint(false, kWhite));
    add("Images\\uwpaa.pcx", waypoint(true, kHill));
    add("Images\\uwpbp.pcx", waypoint(true, kLightRed));
    add("Images\\uwplz.pcx", waypoint(true, kRoad));
    add("Images\\ucavhq.pcx", unitSign(true, false));
    add("Images\\usam4b.pcx", objectiveRing(160, true));
    add("Images\\rsam4b.pcx", objectiveRing(160, false));
    // Every picture the demo's briefings name, so that a check of the demo game finds none missing.
    add("Images\\uobj.pcx", objectiveFlag(true));
    add("Images\\robj.pcx", objectiveFlag(false));
    add("Maps\\Farrow_Downs.pcx", farrowDowns());
    const std::vector<std::string> fields = fieldNames();
    for (std::size_t i = 1; i < fields.size(); ++i)
        files.push_back({"Maps\\" + fields[i] + ".pcx", encodePcx(fieldMap(i))});
    return files;
}

}  // namespace hartool::demo
