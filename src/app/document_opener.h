// How the window hands a document or a web address to the desktop. Tests
// put a recorder in its place.
#pragma once

#include <QUrl>
#include <functional>

namespace korvane {

using DocumentOpener = std::function<bool(const QUrl&)>;

// The desktop's handler for the address's type.
DocumentOpener desktopOpener();

}  // namespace korvane
