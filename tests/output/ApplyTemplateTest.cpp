// The apply-template dialog's logic: which outputs use a template page and
// what OK stores.
#include "OutputTestSupport.h"
#include "TApplyTemplate.h"
#include "TopicIcons.h"

#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

struct ApplyCase {
    const char* name;
    // Before: the two templates and whether web help follows HTML Help.
    const char* htmlHelp;
    const char* webHelp;
    bool same;
    // The boxes as shown, and as the author leaves them.
    bool shownHtml, shownWeb;
    bool checkHtml, checkWeb;
    // After OK.
    const char* htmlAfter;
    const char* webAfter;
    bool sameAfter;
};

TEST(ApplyTemplateTest, StoresTheChoiceForEachOutput)
{
    const ApplyCase cases[] = {
        {"unused, both chosen", "", "", true, false, false, true, true, "t\\page.htm", "t\\page.htm", false},
        {"OK without change", "T\\PAGE.HTM", "other.htm", false, true, false, true, false, "t\\page.htm", "other.htm", false},
        {"HTML Help dropped", "t\\page.htm", "other.htm", false, true, false, false, false, "", "other.htm", false},
        {"web help chosen", "other.htm", "", false, false, false, false, true, "other.htm", "t\\page.htm", false},
        {"web help dropped", "other.htm", "t\\page.htm", false, false, true, false, false, "other.htm", "", false},
        // Web help follows HTML Help: it uses this page whatever
        // WebHelpTemplate still holds.
        {"followed, web kept", "t\\page.htm", "stale.htm", true, true, true, false, true, "", "t\\page.htm", false},
        {"followed, web dropped", "t\\page.htm", "", true, true, true, true, false, "t\\page.htm", "", false},
        {"followed, OK unchanged", "t\\page.htm", "", true, true, true, true, true, "t\\page.htm", "t\\page.htm", false},
        {"stale web link", "other.htm", "t\\page.htm", true, false, false, false, false, "other.htm", "t\\page.htm", true},
        {"HTML Help chosen, web follows", "other.htm", "", true, false, false, true, false, "t\\page.htm", "", true},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TQrx project;
        const std::vector<TopicNode*> nodes = AddTopics(project, project.tnTemplates, {{1, "Page", "t\\page.htm"}});
        project.HtmlHelpTemplate = c.htmlHelp;
        project.WebHelpTemplate = c.webHelp;
        project.WebHelpTemplateSame = c.same;
        project.ProjectChanged = false;

        TApplyTemplate dialog(project, *nodes[0]);
        EXPECT_EQ(dialog.Label(), "Apply the template \"Page\" to:");
        EXPECT_EQ(dialog.UsedForHtmlHelp(), c.shownHtml);
        EXPECT_EQ(dialog.UsedForWebHelp(), c.shownWeb);
        dialog.Apply(c.checkHtml, c.checkWeb);
        EXPECT_EQ(project.HtmlHelpTemplate, c.htmlAfter);
        EXPECT_EQ(project.WebHelpTemplate, c.webAfter);
        EXPECT_EQ(project.WebHelpTemplateSame, c.sameAfter);
        EXPECT_TRUE(project.ProjectChanged);
        // The tree shows the new state.
        EXPECT_EQ(nodes[0]->stateIndex() == TopicImages::StateHtmlHelpTemplate, QString(c.htmlAfter).compare("t\\page.htm", Qt::CaseInsensitive) == 0);
        EXPECT_EQ(nodes[0]->imageIndex() == TopicImages::WebHelpTemplateImage, QString(c.webAfter) == "t\\page.htm");
    }
}

} // namespace
