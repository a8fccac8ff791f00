#pragma once

namespace hartool::ui {

// What a dialog that works on the game folder asks of the dialog that keeps the game path: whether the game
// is there (reporting a wrong path itself unless quiet) and whether the originals still have to be saved.
class GameChecks {
  public:
    virtual ~GameChecks() = default;
    virtual bool FILEOK(bool quiet = false) = 0;
    virtual bool COPYOK() const = 0;
};

}  // namespace hartool::ui
