// The images of the preview's tool buttons, drawn in code under their resource names
// ("TB_STAMPAJ", "TB_PRVASTRANA", ...).
#pragma once

#include <QIcon>
#include <string_view>

namespace kavrina::reports {

// The image of a tool button; an unknown name gives an empty icon.
QIcon toolbarIcon(std::string_view resourceName);

}  // namespace kavrina::reports
