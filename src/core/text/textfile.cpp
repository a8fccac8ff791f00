#include "core/text/textfile.h"

namespace hartool {

EditableText editableText(std::string_view bytes) {
    EditableText result;
    result.text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            result.text += c;
            continue;
        }
        const bool crlf = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (result.lineEnd.empty()) result.lineEnd = crlf ? "\r\n" : std::string(1, c);
        if (crlf) ++i;
        result.text += '\n';
    }
    // The game's files are Windows files.
    if (result.lineEnd.empty()) result.lineEnd = "\r\n";
    return result;
}

std::string savedText(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            out.append(lineEnd);
        else
            out += c;
    }
    return out;
}

}  // namespace hartool
