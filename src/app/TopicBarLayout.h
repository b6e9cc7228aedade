#pragma once

// The title and URL fields share what the topic bar's other controls leave
// of its width; the URL field gets 70 pixels more than the title.
struct TTopicFieldWidths {
    int Title;
    int Url;
};

TTopicFieldWidths TopicFieldWidths(int clientWidth, int linkButtonWidth, int labelsWidth, int iconPickerWidth);
