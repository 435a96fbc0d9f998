#include "app/document_opener.h"

#include <QDesktopServices>

namespace korvane {

DocumentOpener desktopOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

}  // namespace korvane
