// What the template editor keeps: the two previews as RTF documents, their background and
// colours, and the codes help window.
#pragma once

#include <string>

namespace fc {

struct PreviewState {
    std::string ctfPreviewRtf;
    std::string dmPreviewRtf;
    bool blackBackground = false;
    bool previewNoColors = false;  // "NoColors"
    // "Codes" and the codes help window it opens; the button remembers "1" while it took the
    // window off the top, so closing the help puts it back.
    bool codesButtonEnabled = true;
    bool codesHelpLoweredWindow = false;
    bool codesHelpVisible = false;
};

}  // namespace fc
