#pragma once

#include <QString>

class TQrx;
class TopicNode;

// How one row of the topic tree is painted. The colours of the system
// (active caption) stay with the view; the rules only name them.
enum class TRowColours {
    Plain,          // the view's own text on its own background
    Selected,       // blue text on silver
    DefaultTopic,   // red text
    DropHighlight,  // white text on the active-caption colour: the node a drop goes into
    DropLine,       // black text on white: the node a drop goes before or after
};

struct TRowPaint {
    TRowColours Colours = TRowColours::Plain;
    bool Bold = false;
};

// The drag under way, as far as painting cares: the node under the cursor
// (null when none) and whether the drop goes into it (else before or after).
struct TDropMark {
    const TopicNode* Target = nullptr;
    bool AsChild = true;
};

// Later rules win: selection, roots (bold), the default topic (not for
// templates, only while DefaultTopic is not blank), the drop target.
TRowPaint RowPaintFor(const TQrx& project, const TopicNode& node, bool selected, const TDropMark& drop);

// The hint over a tree node by its images: the templates say which output
// uses them; any other node has none.
QString TemplateHint(int stateImage, int image);
