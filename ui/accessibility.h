#pragma once
// What a screen reader needs beyond Qt's own accessibility: the bars speak
// the value their readout shows (Qt's scroll bar can only give its
// position), and the announcer is a notification. Installed once, in main,
// before the window exists.

namespace toric {

void install_accessibility();

}  // namespace toric
