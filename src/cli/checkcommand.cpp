// check: the findings of the check of missions and briefings.

#include "cli/cli.h"
#include "cli/names.h"
#include "cli/output.h"
#include "core/check/check.h"
#include "core/platform/codepage.h"

namespace hartool::cli {

int checkCommand(Context& c) {
    CheckOptions options;
    options.campaigns = c.args.has("--campaigns");
    for (const std::string& word : c.args.words) {
        // A mission that is not there is checked all the same, and found missing.
        const std::string file = missionNamed(c.folders, word);
        options.missions.push_back(file.empty() ? platform::fileNameOf(word) : file);
    }
    const std::vector<Finding> findings = checkMissions(c.folders, options);
    if (c.out.json()) {
        Json items = Json::array();
        for (const Finding& f : findings)
            items.push_back({{"file", utf8(shownFile(f, c.folders.game))},
                             {"line", f.line},
                             {"severity", std::string(severityName(f.severity))},
                             {"rule", f.rule},
                             {"text", utf8(f.text)}});
        c.out.document(items);
    } else {
        for (const Finding& f : findings) c.out.text(findingLine(f, c.folders.game));
    }
    return anyErrors(findings) ? kNotAllDone : kAllDone;
}

}  // namespace hartool::cli
