#include "TopicBarLayout.h"

#include <algorithm>

TTopicFieldWidths TopicFieldWidths(int clientWidth, int linkButtonWidth, int labelsWidth, int iconPickerWidth)
{
    // A narrow window still shows a little of each field.
    constexpr int MinimumWidth = 40;
    const int half = (clientWidth - 3 * linkButtonWidth - labelsWidth - iconPickerWidth) / 2;
    return {std::max(MinimumWidth, half - 35), std::max(MinimumWidth, half + 35)};
}
