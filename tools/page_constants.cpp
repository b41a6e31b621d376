// The core's constants that the web page and its worker need before the
// module is there: written into the site as core.js, so that no script types
// them again.
//   page_constants   prints core.js
#include "bitmap.h"
#include "design.h"
#include "reporttext.h"
#include "tuningrecord.h"

#include <cstdio>
#include <string>

namespace {

// A JavaScript string literal.
std::string quoted(const std::string &text)
{
    std::string out = "'";
    for (const char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\'' || c == '\\')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out + "'";
}

} // namespace

int main()
{
    std::printf("// Made by the build from the program's core: not to be edited.\n"
                "'use strict';\n"
                "const CORE = Object.freeze({\n"
                "    pictures: [%s, %s],\n"
                "    largestFile: %zu,\n"
                "    quietSeconds: %d,\n"
                "    caption: %s,\n"
                "    loading: %s,\n"
                "    field: {name: %s, maxLength: %d},\n"
                "    report: {title: %s, opening: %s, startFailure: %s, again: %s, stopped: %s,\n"
                "             serverHint: %s},\n"
                "});\n",
                quoted(PicOnName).c_str(), quoted(PicOffName).c_str(), LargestBitmapFile,
                PageQuietSeconds, quoted(Design::Caption).c_str(), quoted(PageLoading).c_str(),
                quoted(Design::control("txtFreq").accessibleName).c_str(),
                Design::FrequencyMaxLength, quoted(ReportTitle).c_str(),
                quoted(reportOpening()).c_str(), quoted(PageStartFailure).c_str(),
                quoted(ReportStartAgain).c_str(), quoted(pageStoppedReason()).c_str(),
                quoted(pageServerHint()).c_str());
    return 0;
}
