#pragma once

// Image numbers of the topic tree. Topics with children use pairs: the
// closed image is even, the open one the next odd number.
namespace TopicImages {
constexpr int FirstPairClosed = 0;   // 0-7: four closed/open pairs
constexpr int LastPairOpen = 7;
constexpr int RootClosed = 42;
constexpr int RootOpen = 43;
constexpr int GroupClosed = 44;      // page out of TOC or template with children
constexpr int GroupOpen = 45;
constexpr int PageOutOfToc = 46;
constexpr int TemplateLeaf = 47;
constexpr int TemplateImage = 51;
constexpr int WebHelpTemplateImage = 52;
constexpr int StateHtmlHelpTemplate = 1;
constexpr int StateOtherTemplate = 2;
constexpr int FixedIconCount = 42;   // icons 1-42 show images 0-41
} // namespace TopicImages

// The image a node shows after being expanded or collapsed: pairs and the
// group images swap to their open or closed form, a root swaps 42/43; other
// images stay.
int ImageForExpandedState(int image, bool expanded);
