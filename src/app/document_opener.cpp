#include "app/document_opener.h"

#include "app/desktop.h"

namespace korvane {

DocumentOpener desktopOpener() {
    // Through the one hand-over to the desktop, so a test's opener sees it.
    return [](const QUrl& url) {
        return openWithDesktop(url.isLocalFile() ? url.toLocalFile() : url.toString());
    };
}

}  // namespace korvane
