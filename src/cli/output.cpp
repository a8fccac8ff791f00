#include "cli/output.h"

#include <ostream>

#include "cli/cli.h"
#include "core/platform/codepage.h"

namespace hartool::cli {

namespace {

std::string shortened(const std::string& file, const std::string& base) {
    const bool inBase = !base.empty() && file.size() > base.size() && file.starts_with(base);
    return inBase ? file.substr(base.size()) : file;
}

Json failures(const std::vector<Failure>& list, const std::string& base) {
    Json items = Json::array();
    for (const Failure& f : list)
        items.push_back({{"file", shortened(f.file, base)}, {"reason", utf8(f.reason)}});
    return items;
}

}  // namespace

std::string utf8(const std::string& text) {
    return platform::cp1252ToUtf8(text);
}

Json reportJson(const Report& report, const std::string& base) {
    Json warnings = Json::array();
    for (const std::string& w : report.warnings) warnings.push_back(utf8(w));
    return {{"selected", report.selected},
            {"done", report.done},
            {"failures", failures(report.failures, base)},
            {"skipped", failures(report.skipped, base)},
            {"kept", failures(report.kept, base)},
            {"warnings", warnings}};
}

Output::Output(std::ostream& out, std::ostream& err, bool json, bool quiet, bool terminal)
    : out_(out), err_(err), json_(json), quiet_(quiet), terminal_(terminal) {}

void Output::endProgress() {
    if (progressOpen_) err_ << '\n';
    progressOpen_ = false;
}

void Output::row(const std::vector<std::string>& fields) {
    endProgress();
    std::string line;
    for (const std::string& f : fields) {
        if (!line.empty()) line += '\t';
        line += utf8(f);
    }
    out_ << line << '\n';
}

void Output::text(const std::string& line) {
    endProgress();
    if (!json_) out_ << utf8(line) << '\n';
}

void Output::document(const Json& value) {
    endProgress();
    out_ << value.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void Output::message(const std::string& line) {
    endProgress();
    err_ << utf8(line) << '\n';
}

void Output::messageAsIs(const std::string& line) {
    endProgress();
    err_ << line << '\n';
}

int Output::usage(const std::string& problem) {
    return usageAsIs(utf8(problem));
}

int Output::usageAsIs(const std::string& problem) {
    endProgress();
    err_ << "hartool-cli: " << problem << "\n(hartool-cli --help shows the commands)\n";
    return kUsage;
}

Progress Output::progress(const std::string& caption) {
    if (quiet_ || !terminal_) return {};
    return [this, caption](std::size_t done, std::size_t total) {
        err_ << '\r' << caption << ": " << done << " of " << total << (done == total ? "\n" : "")
             << std::flush;
        return true;
    };
}

int Output::report(const Report& report, const std::string& successText, const std::string& doneWord,
                   const std::string& base) {
    endProgress();
    if (json_)
        document(reportJson(report, base));
    else
        out_ << utf8(report.text(successText, doneWord, base)) << '\n';
    return report.ok() ? kAllDone : kNotAllDone;
}

}  // namespace hartool::cli
