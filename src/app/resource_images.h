// The program's pictures, drawn here rather than loaded from files: the tool-bar and
// preview-bar buttons, the command-tree images, the maker's logo and the program icon,
// each under the resource name the window uses ("PROMENAFIRME", "TRAZI", "VELMAR", ...).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string_view>

namespace kavrina::app {

// The picture of the resource, `size` pixels square (the logo "VELMAR" is 290 by 56
// whatever the size). An unknown name gives a plain grey square.
QPixmap resourceImage(std::string_view name, int size);

// The icon of the resource at the usual sizes.
QIcon resourceIcon(std::string_view name);

}  // namespace kavrina::app
