// The race's documents: the attachments button opens a single one at once
// and lets the user pick among several from this list, which a second press
// closes again.
#pragma once

#include <QListWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "app/document_opener.h"

namespace korvane {

class AttachmentList : public QListWidget {
    Q_OBJECT
  public:
    AttachmentList(DocumentOpener opener, QWidget* parent = nullptr);

    void setDocuments(std::filesystem::path dataRoot, std::vector<std::string> names);
    // The attachments button was pressed.
    void press();

  private:
    void open(const std::string& name);

    DocumentOpener opener_;
    std::filesystem::path dataRoot_;
    std::vector<std::string> names_;
};

}  // namespace korvane
