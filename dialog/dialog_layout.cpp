#include "dialog/dialog_layout.h"

#include <algorithm>

std::vector<int> DialogTabOrder() {
  std::vector<const ControlLayout*> stops;
  for (const ControlLayout& control : kDialogLayout) {
    if (control.tabOrder != kNoTabStop) stops.push_back(&control);
  }
  std::stable_sort(stops.begin(), stops.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return a->tabOrder < b->tabOrder;
  });
  std::vector<int> ids;
  for (const ControlLayout* control : stops) ids.push_back(control->id);
  return ids;
}

const ControlLayout* FindControl(int id) {
  for (const ControlLayout& control : kDialogLayout) {
    if (control.id == id) return &control;
  }
  return nullptr;
}
