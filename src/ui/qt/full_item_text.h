// Drop-down lists whose items are longer than the box: the items stay readable.
#pragma once

class QComboBox;

namespace kavrina::ui {

// Makes the list that drops down from `box` as wide as its widest item, and gives every item,
// and the box for the item it shows, the item's full text as a tooltip. Call after the
// items are added.
void showFullItemTexts(QComboBox* box);

}  // namespace kavrina::ui
