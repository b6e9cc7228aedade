#pragma once

#include <QString>

// The previous/next buttons a page template shows: image files next to the
// template named "btn_prev_n" and "btn_next_n", with "btn_prev_g" and
// "btn_next_g" as their greyed forms for the first and last page.
struct TPrevNext {
    QString Extension;      // of the first button image, lower-cased with its dot; empty if none
    bool Prev = false;      // the template shows a previous / next button
    bool Next = false;
    bool Prev_Gray = false; // the greyed image exists next to the template
    bool Next_Gray = false;
    QString Prev_Title;     // the button's alt text, or "Previous" / "Next"
    QString Next_Title;
    // The images' file names as they are on disk, which a template made on
    // Windows may spell in another case; empty: "btn_prev_n" + Extension
    // and so on.
    QString Prev_Image;
    QString Next_Image;
    QString Prev_GrayImage;
    QString Next_GrayImage;
};
