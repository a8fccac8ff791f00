// The briefing side of the mission tools.
#include "missiontools/mtool.h"

namespace hartool {

void MTool::EXTRACT() {}
void MTool::CONNECT() {}
void MTool::PSHEXTRACT() {}
void MTool::PSHANALYZE() {}
void MTool::PSHCONNECT() {}
void MTool::PSHEDIT() {}
void MTool::PSHNEW() {}
void MTool::PSHCOPY() {}
void MTool::PSHDELETE() {}
void MTool::PSHTEXTEDIT() {}

}  // namespace hartool
