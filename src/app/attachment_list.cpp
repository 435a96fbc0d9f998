#include "app/attachment_list.h"

#include "ui_text/documents.h"

namespace korvane {

AttachmentList::AttachmentList(DocumentOpener opener, QWidget* parent)
    : QListWidget(parent), opener_(std::move(opener)) {
    setObjectName(QStringLiteral("attachmentList"));
    hide();
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item) open(item->text().toStdString());
        hide();
    });
}

void AttachmentList::setDocuments(std::filesystem::path dataRoot, std::vector<std::string> names) {
    dataRoot_ = std::move(dataRoot);
    names_ = std::move(names);
    hide();
}

void AttachmentList::press() {
    switch (attachmentPress(!isHidden(), static_cast<int>(names_.size()))) {
        case AttachmentPress::CloseList:
            hide();
            return;
        case AttachmentPress::OpenOnly:
            if (!names_.empty()) open(names_.front());
            return;
        case AttachmentPress::ShowList:
            clear();
            for (const std::string& name : names_) addItem(QString::fromStdString(name));
            show();
            raise();
            return;
    }
}

void AttachmentList::open(const std::string& name) {
    // Silent when the file is missing or leaves the folder.
    if (const auto path = attachmentPath(dataRoot_, name))
        opener_(QUrl::fromLocalFile(QString::fromStdString(path->string())));
}

}  // namespace korvane
