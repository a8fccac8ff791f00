#pragma once

// Where a command's results go: the result on standard output (lines of text, or one JSON document with
// --json), messages and progress on standard error. Texts come in the game's code page and leave as UTF-8.

#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/base/progress.h"
#include "core/base/report.h"

namespace hartool::cli {

// Keys in the order they are written, so that a document reads as the help describes it.
using Json = nlohmann::ordered_json;

class Output {
  public:
    // terminal: standard error is watched by a person, so progress may be shown there.
    Output(std::ostream& out, std::ostream& err, bool json, bool quiet, bool terminal);

    bool json() const { return json_; }

    // One line of a list, its fields separated by tabs.
    void row(const std::vector<std::string>& fields);
    // A text result (nothing with --json, where the document says it).
    void text(const std::string& line);
    void document(const Json& value);
    void message(const std::string& line);      // on standard error
    void messageAsIs(const std::string& line);  // the same for a line in UTF-8 already
    int usage(const std::string& problem);      // on standard error; returns kUsage
    int usageAsIs(const std::string& problem);  // the same for a problem in UTF-8 already (a word as typed)

    // Shows how many of how many files are done, on a terminal and without --quiet; empty otherwise.
    Progress progress(const std::string& caption);

    // The report as the dialogs' completion box words it, or as the JSON document; file names are shortened
    // by base. Returns the exit status it stands for.
    int report(const Report& report, const std::string& successText, const std::string& doneWord,
               const std::string& base);

  private:
    // Ends a progress line left open, so that what follows starts a line of its own.
    void endProgress();

    std::ostream& out_;
    std::ostream& err_;
    bool json_;
    bool quiet_;
    bool terminal_;
    bool progressOpen_ = false;
};

// The game's code page to UTF-8, for the terminal and for JSON (which must be UTF-8).
std::string utf8(const std::string& text);

// The report as {"selected", "done", "failures", "skipped", "kept", "warnings"}.
Json reportJson(const Report& report, const std::string& base);

}  // namespace hartool::cli
