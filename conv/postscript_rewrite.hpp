// Rewriting one of the library's PostScript files: another scale, or only
// some of its pages.
#pragma once

#include <string>

namespace korvan::conv {

struct RewriteRequest {
    double scaling = 1.0;  // used when it differs from 1 by more than 0.001
    int first_page = 1;
    int page_count = 0;    // 0: all pages from the first
};

// Writes the rewritten file under the output name (after the file version
// rule, so the name may change); false with the message to show when the
// input is not the library's or a file cannot be opened.
bool rewrite_postscript(const std::string& input, std::string& output, const RewriteRequest& request,
                        std::string& message);

}  // namespace korvan::conv
