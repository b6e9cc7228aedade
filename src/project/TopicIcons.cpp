#include "TopicIcons.h"

using namespace TopicImages;

int ImageForExpandedState(int image, bool expanded)
{
    const bool paired = (image >= FirstPairClosed && image <= LastPairOpen) || image == GroupClosed
        || image == GroupOpen;
    if (paired)
        return expanded ? (image | 1) : (image & ~1);
    if (expanded && image == RootClosed)
        return RootOpen;
    if (!expanded && image == RootOpen)
        return RootClosed;
    return image;
}
