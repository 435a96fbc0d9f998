// Commands that paint (render, video) need a QGuiApplication for QPainter's
// text; the CLI has no screen, so it gets the offscreen platform.
#pragma once

#include <QGuiApplication>
#include <memory>

namespace korvane {

// A new application when there is none yet (kept alive by the caller),
// else nothing.
std::unique_ptr<QGuiApplication> ensureGuiApplication();

}  // namespace korvane
