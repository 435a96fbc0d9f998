// Where the program puts the files it hands to other programs, and the one
// way it hands them over. Tests replace the opener so that nothing starts a
// viewer, and point the documents folder at a folder of their own.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>

namespace korvane {

// The user's documents folder, looked up once; created when missing.
std::filesystem::path documentsFolder();
void setDocumentsFolderForTests(const std::filesystem::path& folder);

// Opens `path` (a file or a web address) with the desktop's handler; false
// when there is none, and for a program file (see isProgramFile), which is
// never handed over. Tests see every other call through the replaced opener.
using DesktopOpener = std::function<bool(const QString& pathOrUrl)>;
bool openWithDesktop(const QString& pathOrUrl);
void setDesktopOpenerForTests(DesktopOpener opener);

// Whether the desktop names a program for `file`'s kind (xdg-mime's default
// for its MIME type). An opener may start and still show nothing. Tests
// answer for the desktop through the replaced query.
using DesktopHandlerQuery = std::function<bool(const std::filesystem::path& file)>;
bool desktopHasHandlerFor(const std::filesystem::path& file);
void setDesktopHandlerQueryForTests(DesktopHandlerQuery query);

}  // namespace korvane
