#include "TQrx.h"

#include <gtest/gtest.h>

namespace {

TopicNode* addTopic(TQrx& project, TopicNode* parent, const QString& contextNumber)
{
    TLeftTreeData entry;
    entry.ContextNumber = contextNumber;
    return project.Tree().appendNode(parent, "topic", entry);
}

struct NewNumberCase {
    const char* name;
    QStringList numbers;
    int expected;
};

class NewSensitiveNumberTest : public testing::TestWithParam<NewNumberCase> {};

TEST_P(NewSensitiveNumberTest, GivesTheSmallestFreeNumberFrom1000)
{
    TQrx project;
    // Spread over all three groups and nest some: every topic counts.
    TopicNode* parents[] = {project.tnTableOfContents, project.tnUnvisiblePages, project.tnTemplates};
    TopicNode* last = nullptr;
    int i = 0;
    for (const QString& number : GetParam().numbers) {
        TopicNode* parent = (i % 4 == 3 && last) ? last : parents[i % 3];
        last = addTopic(project, parent, number);
        ++i;
    }
    EXPECT_EQ(project.NewSensitiveNumber(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NewSensitiveNumberTest,
    testing::Values(NewNumberCase{"none", {}, 1000},
        NewNumberCase{"gap", {"1000", "1001", "1003"}, 1002},
        NewNumberCase{"unordered", {"1002", "1000", "1001", "", "7"}, 1003},
        NewNumberCase{"leadingZeroIsAnotherNumber", {"01000", "1000 "}, 1000},
        NewNumberCase{"templatesCount", {"1000", "1001", "1002", "1003"}, 1004}),
    [](const testing::TestParamInfo<NewNumberCase>& info) { return std::string(info.param.name); });

TEST(AutoSensitiveNumberTest, NumbersTocAndOutOfTocPagesInTreeOrderAndLeavesTemplates)
{
    TQrx project;
    TopicNode* a = addTopic(project, project.tnTableOfContents, "5");
    addTopic(project, a, "");
    addTopic(project, project.tnTableOfContents, "1000");
    addTopic(project, project.tnUnvisiblePages, "abc");
    TopicNode* templ = addTopic(project, project.tnTemplates, "42");
    addTopic(project, templ, "");

    project.AutoSensitiveNumber();

    QStringList numbers;
    project.Tree().forEachNode([&numbers](const TopicNode* node) {
        if (!node->isRoot())
            numbers << node->entry().ContextNumber;
        return true;
    });
    EXPECT_EQ(numbers, (QStringList{"1000", "1001", "1002", "1003", "42", ""}));
}

} // namespace
