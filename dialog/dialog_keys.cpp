#include "dialog/dialog_keys.h"

#include <algorithm>

#include "dialog/dialog_layout.h"

DialogKeyAction ActionOfKey(const DialogKeyPress& press) {
  if (press.alt) return DialogKeyAction::None;
  switch (press.key) {
    case DialogKey::Tab:
      return press.shift ? DialogKeyAction::PreviousStop : DialogKeyAction::NextStop;
    case DialogKey::Enter:
      if (press.listDropped) return DialogKeyAction::None;
      return press.onButton ? DialogKeyAction::PressFocused : DialogKeyAction::Set;
    case DialogKey::Escape:
      return press.listDropped ? DialogKeyAction::None : DialogKeyAction::Cancel;
    case DialogKey::Up:
    case DialogKey::Left:
      return press.onChoice ? DialogKeyAction::PreviousChoice : DialogKeyAction::None;
    case DialogKey::Down:
    case DialogKey::Right:
      return press.onChoice ? DialogKeyAction::NextChoice : DialogKeyAction::None;
    default:
      return DialogKeyAction::None;
  }
}

std::optional<std::size_t> NextTabStop(std::optional<std::size_t> current, int step,
                                       const std::vector<bool>& usable) {
  const auto count = static_cast<long>(usable.size());
  if (count == 0) return std::nullopt;
  long index = current ? static_cast<long>(*current) : (step > 0 ? count - 1 : 0);
  for (long tried = 0; tried < count; ++tried) {
    index = ((index + step) % count + count) % count;
    if (usable[static_cast<std::size_t>(index)]) return static_cast<std::size_t>(index);
  }
  return std::nullopt;
}

std::vector<int> ChoiceDisplayOrder() {
  std::vector<const ControlLayout*> labels;
  for (const ControlLayout& control : kDialogLayout) {
    if (control.kind == ControlKind::ChoiceLabel) labels.push_back(&control);
  }
  std::stable_sort(labels.begin(), labels.end(),
                   [](const ControlLayout* a, const ControlLayout* b) { return a->top < b->top; });
  std::vector<int> kinds;
  for (const ControlLayout* label : labels) kinds.push_back(label->id - kChoiceLabel0);
  return kinds;
}

int ChoiceTabStop(std::int16_t kind) {
  const std::vector<int> order = ChoiceDisplayOrder();
  return std::find(order.begin(), order.end(), kind) != order.end() ? kind : order.front();
}

int ChoiceAfter(int focused, int step) {
  const std::vector<int> order = ChoiceDisplayOrder();
  const auto at = std::find(order.begin(), order.end(), focused);
  const long count = static_cast<long>(order.size());
  const long from = at != order.end() ? at - order.begin() : 0;
  return order[static_cast<std::size_t>(((from + step) % count + count) % count)];
}
