#pragma once

#include <string>
#include <vector>

class QWidget;

namespace hartool::test {

// Names of the controls whose caption does not fit their rectangle in their font: fixed texts as
// word-wrapped text, push buttons, check boxes, radio buttons and group box titles with the style's
// decoration around the text.
std::vector<std::string> cutOffCaptions(const QWidget& dialog);

}  // namespace hartool::test
