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

// Links are followed only within their folder, and a program is no
// document, whatever its name: the desktop would run it.
TEST(Attachment, LinksLeavingTheFolderAndProgramsAreRefused) {
    namespace fs = std::filesystem;
    TempTree tree;
    tree.write("attachment/Notice.pdf", "%PDF");
    tree.write("outside/secret.txt", "no");
    fs::create_symlink("Notice.pdf", tree.root() / "attachment/same.pdf");
    fs::create_symlink("../outside/secret.txt", tree.root() / "attachment/link.pdf");
    fs::create_symlink("../outside", tree.root() / "attachment/linked");
    tree.write("attachment/run.desktop", "[Desktop Entry]\nExec=sh\n");
    tree.write("attachment/launcher", "[Desktop Entry]\nExec=sh\n");
    tree.write("attachment/tool.pdf",
               "\x7F"
               "ELF\x02\x01");
    tree.write("attachment/setup.exe", "MZ\x90");
    tree.write("attachment/notes.sh", "#!/bin/sh\n");
    tree.write("attachment/run.sh", "#!/bin/sh\n");
    fs::permissions(tree.root() / "attachment/run.sh", fs::perms::owner_exec,
                    fs::perm_options::add);
    for (const auto& [name, opens] :
         {std::pair{"same.pdf", true}, std::pair{"notes.sh", true}, std::pair{"link.pdf", false},
          std::pair{"linked/secret.txt", false}, std::pair{"run.desktop", false},
          std::pair{"launcher", false}, std::pair{"tool.pdf", false}, std::pair{"setup.exe", false},
          std::pair{"run.sh", false}})
        EXPECT_EQ(attachmentPath(tree.root(), name).has_value(), opens) << name;

    // The help page linked out of its folder, and a linked attachments folder.
    fs::create_directories(tree.root() / "help");
    fs::create_symlink("../outside/secret.txt", tree.root() / "help/index.html");
    EXPECT_FALSE(helpPageToOpen(tree.root(), Language::Japanese));
    EXPECT_FALSE(helpPage(tree.root(), "help/index.html"));
    TempTree linked;
    fs::create_symlink(tree.root() / "attachment", linked.root() / "attachment");
    EXPECT_FALSE(attachmentPath(linked.root(), "Notice.pdf"));
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
