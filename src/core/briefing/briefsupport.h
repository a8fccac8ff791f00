#pragma once

// A briefing file: five pages for one side, or five for each of blue and red, and the Misc values.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/parent.h"
#include "core/platform/filesystem.h"
#include "core/platform/profile.h"
#include "core/text/stringlist.h"

namespace hartool {

// One page of a briefing. Values are kept raw, as read from and written to the file.
class Briefing : public Parent {
  public:
    StringList ALINESTRINGS;
    StringList ASPRITESTRINGS;
    StringList ALABELSTRINGS;
    std::string CHEADING;
    std::string CMAP;
    std::string CTEXT;
    std::string CMOVIE;
    std::string CTIMEOUT;

    // The heading without its leading field ("9, Orders, north" gives "Orders, north").
    std::string HEADING() const;
    // The text without its two leading fields; commas inside the text survive.
    std::string BTEXT() const;
};

class BriefSupport : public Parent {
  public:
    // Whether reading takes the pages' graphics entries: an analysis replaces them all, so it need not.
    enum class Graphics { READ, SKIP };

    // Reads the file; a file that exists decides the mode itself.
    explicit BriefSupport(std::string path, bool doubleMode = false, Graphics graphics = Graphics::READ);

    void READBRIEFINGS();
    void ADDBRIEFING(const std::string& sectionName);
    // Writes the whole file atomically, in Windows-1252, making its folder when it is missing; refused for a
    // file with a byte-order mark that holds characters Windows-1252 cannot spell, which would be lost.
    platform::Status WRITEBRIEFINGS(const std::string& leadingText = "");
    // Page 1 to 5 of the selected array as written to the file, "" when the page is left out.
    std::string BRIEF2TEXT(std::size_t page) const;
    void CLEARGRAPH();

    // The selected pages: blue or red by blue mode in double mode, the single pages otherwise.
    std::vector<Briefing>& BRIEFARRAY();
    const std::vector<Briefing>& BRIEFARRAY() const;
    void SETBRIEFARRAY(std::vector<Briefing> pages);
    std::vector<Briefing>& BLUEBRIEFARRAY() { return bluePages_; }
    std::vector<Briefing>& REDBRIEFARRAY() { return redPages_; }
    // "Blue_Briefing", "Red_Briefing" or "Briefing".
    std::string BRIEFSTRING() const;
    bool BLUEMODE() const { return blueMode_; }
    void SETBLUEMODE(bool blue) { blueMode_ = blue; }
    bool DOUBLEMODE() const { return doubleMode_; }
    void SETDOUBLEMODE(bool twoSides) { doubleMode_ = twoSides; }
    const std::string& PATH() const { return path_; }
    // False when the file exists but could not be read in full: its pages are then not what it holds.
    bool readInFull() const { return readOk_; }
    const std::string& CUTSCENE() const { return cutscene_; }
    const std::string& SOUND() const { return sound_; }

    void DESTROY() override;

  private:
    // ADDBRIEFING on a text already split, so that READBRIEFINGS reads and splits the file once.
    void addBriefing(const platform::ProfileSections& sections, const std::string& sectionName);
    // READBRIEFINGS without the graphics, from the file read line by line in pieces.
    void readValues();
    // BRIEF2TEXT behind out; full() is called whenever out has grown to pieceSize.
    void appendPage(std::string& out, std::size_t page, std::size_t pieceSize = std::string::npos,
                    const std::function<void()>& full = {}) const;

    bool doubleMode_ = false;
    bool blueMode_ = true;
    bool readOk_ = true;
    std::string unwritable_;  // why the file read cannot be written back, "" when it can
    Graphics graphics_ = Graphics::READ;
    std::string path_;
    std::vector<Briefing> singlePages_;
    std::vector<Briefing> bluePages_;
    std::vector<Briefing> redPages_;
    std::string cutscene_;
    std::string sound_;
};

}  // namespace hartool
