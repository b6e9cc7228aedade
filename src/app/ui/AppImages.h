#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's own pictures (SVG resources drawn for Quorix).
namespace AppImages {

// A tool-bar picture by name ("save", "bold", ...).
QIcon ToolIcon(const QString& name);
// The topic tree's images 0-52; an empty icon for other numbers.
QIcon TreeImage(int image);
// The tree's state images: 1 the HTML Help template, 2 another template.
QIcon TreeStateImage(int state);

// The splash picture: 361 by 175 pixels with the product and its version.
QPixmap SplashPicture();

} // namespace AppImages
