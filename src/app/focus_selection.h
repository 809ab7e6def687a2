// The selection of the pane without the keyboard focus in the inactive colour, so that of
// the command tree and the list, each with its selection, the one that takes the keys is
// the one in the selection colour.
#pragma once

class QAbstractItemView;

namespace kavrina::app {

// From now on `view` shows its selection in the selection colour while it has the focus
// and in a neutral grey while it has not (also when the style gives an inactive selection
// the same colour as an active one).
void showSelectionByFocus(QAbstractItemView* view);

}  // namespace kavrina::app
