// Which help page opens, which attachment names are followed, and what a
// press of the attachments button does.
#include "ui_text/documents.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace korvane {
namespace {

using testing::TempTree;

TEST(HelpPage, TheLanguageOnShowFirstThenTheOther) {
    struct Case {
        Language language;
        bool japanesePage, englishPage;
        const char* expected;  // "" for none
    };
    const Case cases[] = {
        {Language::Japanese, true, true, "help/index.html"},
        {Language::English, true, true, "help-e/index.html"},
        {Language::English, true, false, "help/index.html"},
        {Language::Japanese, false, true, "help-e/index.html"},
        {Language::English, false, false, ""},
    };
    for (const Case& c : cases) {
        TempTree tree;
        if (c.japanesePage) tree.write("help/index.html", "<html></html>");
        if (c.englishPage) tree.write("help-e/index.html", "<html></html>");
        const auto page = helpPageToOpen(tree.root(), c.language);
        if (*c.expected == '\0') {
            EXPECT_FALSE(page);
        } else {
            ASSERT_TRUE(page) << c.expected;
            EXPECT_EQ(*page, tree.root() / c.expected);
        }
    }
}

TEST(Attachment, OnlyExistingFilesInsideTheFolder) {
    TempTree tree;
    tree.write("attachment/Notice.pdf", "%PDF");
    tree.write("attachment/sub/chart.png", "png");
    tree.write("secret.txt", "no");
    struct Case {
        const char* name;
        const char* expected;  // "" for refused
    };
    for (const Case c :
         {Case{"Notice.pdf", "attachment/Notice.pdf"}, Case{"NOTICE.PDF", "attachment/Notice.pdf"},
          Case{"sub\\chart.png", "attachment/sub/chart.png"}, Case{"../secret.txt", ""},
          Case{"sub/../../secret.txt", ""}, Case{"C:\\secret.txt", ""}, Case{"missing.pdf", ""},
          Case{"sub", ""}, Case{"", ""}}) {
        const auto path = attachmentPath(tree.root(), c.name);
        if (*c.expected == '\0')
            EXPECT_FALSE(path) << c.name;
        else
            EXPECT_EQ(path.value_or(""), tree.root() / c.expected) << c.name;
    }
}

TEST(Attachment, PressOpensOneListsManyClosesAnOpenList) {
    EXPECT_EQ(attachmentPress(false, 0), AttachmentPress::OpenOnly);
    EXPECT_EQ(attachmentPress(false, 1), AttachmentPress::OpenOnly);
    EXPECT_EQ(attachmentPress(false, 2), AttachmentPress::ShowList);
    EXPECT_EQ(attachmentPress(true, 2), AttachmentPress::CloseList);
    EXPECT_EQ(attachmentPress(true, 0), AttachmentPress::CloseList);
}

}  // namespace
}  // namespace korvane
