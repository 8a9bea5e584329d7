#pragma once

class QAbstractItemView;
class QComboBox;
class QLineEdit;

namespace orvane {

// The window's flat look: single-line borders instead of sunken ones, window colours inside.
void makeFlat(QAbstractItemView& view);
void makeFlat(QComboBox& combo);
void makeFlat(QLineEdit& edit);

} // namespace orvane
