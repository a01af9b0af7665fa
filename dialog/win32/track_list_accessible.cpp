// The repeat-track box as screen readers meet it: the combo box and the edit field inside it
// (which holds the focus while the box has it) are named by the label beside the box, which the
// system's own objects cannot find, since the label is no static control before the box.
#include <memory>
#include <string>

#include "controls/win32/window_accessible.h"
#include "dialog/win32/dialog_window.h"

namespace {

constexpr wchar_t kNamingProperty[] = L"Mirebora.AccessibleName";

// What a named window keeps: its own procedure, which it passes every other message on to.
struct Naming {
  WNDPROC previous = nullptr;
  std::wstring name;
  bool field = false;  // the edit field inside the box, else the box itself
};

Naming* NamingOf(HWND window) { return static_cast<Naming*>(GetPropW(window, kNamingProperty)); }

class TrackListAccessible final : public WindowAccessible {
 public:
  using WindowAccessible::WindowAccessible;

 protected:
  bool Connected() const override {
    return IsWindow(window()) != FALSE && NamingOf(window()) != nullptr;
  }
  long Role() const override {
    return NamingOf(window())->field ? ROLE_SYSTEM_TEXT : ROLE_SYSTEM_COMBOBOX;
  }
  std::wstring Name() const override { return NamingOf(window())->name; }
  std::optional<std::wstring> Value() const override { return AccessibleWindowText(window()); }
  long State() const override {
    long flags = WindowAccessible::State() | STATE_SYSTEM_FOCUSABLE;
    if (IsWindowEnabled(Box()) == FALSE) flags |= STATE_SYSTEM_UNAVAILABLE;
    if (!NamingOf(window())->field) {
      const bool open = SendMessageW(window(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
      flags |= open ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    }
    return flags;
  }
  bool HasFocus() const override {
    const HWND focus = GetFocus();
    return focus != nullptr && (focus == Box() || GetParent(focus) == Box());
  }

 private:
  HWND Box() const { return NamingOf(window())->field ? GetParent(window()) : window(); }
};

LRESULT CALLBACK NamedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Naming* naming = NamingOf(window);
  if (naming == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const WNDPROC previous = naming->previous;
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    return AnswerWithAccessible(new TrackListAccessible(window), wParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(window, kNamingProperty);
    delete naming;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void Name(HWND window, const std::wstring& name, bool field) {
  if (window == nullptr || NamingOf(window) != nullptr) return;
  auto naming = std::make_unique<Naming>();
  naming->name = name;
  naming->field = field;
  if (!SetPropW(window, kNamingProperty, naming.get())) return;
  naming->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NamedProc)));
  if (naming->previous == nullptr) {
    RemovePropW(window, kNamingProperty);
    return;
  }
  naming.release();  // freed with the window
}

}  // namespace

void NameTrackListForScreenReaders(HWND combo, const std::wstring& name) {
  Name(combo, name, false);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  if (GetComboBoxInfo(combo, &parts) && parts.hwndItem != nullptr && parts.hwndItem != combo) {
    Name(parts.hwndItem, name, true);
  }
}
