// The Command button's accessible object: what a screen reader learns of the button through
// WM_GETOBJECT (OBJID_CLIENT). A push button named by its caption, with its focused, pressed and
// unavailable states, and "press" as its default action, which raises Click as BM_CLICK does.
#include "controls/win32/command_window_data.h"
#include "controls/win32/window_accessible.h"

namespace command_shell {

namespace {

class CommandAccessible final : public WindowAccessible {
 public:
  using WindowAccessible::WindowAccessible;

 protected:
  bool Connected() const override { return CommandWindowOf(window()) != nullptr; }
  long Role() const override { return ROLE_SYSTEM_PUSHBUTTON; }
  long State() const override {
    const CommandWindow* command = CommandWindowOf(window());
    long flags = STATE_SYSTEM_FOCUSABLE;
    if (HasFocus()) flags |= STATE_SYSTEM_FOCUSED;
    if (command->behaviour.mouseIsDown() || command->behaviour.spaceIsDown()) {
      flags |= STATE_SYSTEM_PRESSED;
    }
    if (!Available()) flags |= STATE_SYSTEM_UNAVAILABLE;
    return flags;
  }
  std::optional<std::wstring> DefaultAction() const override { return L"press"; }
  // The Click is posted, as BM_CLICK: the client's call returns before the container acts on it.
  HRESULT DoDefaultAction() override {
    if (!Available()) return E_FAIL;
    return PostMessageW(window(), BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }

 private:
  bool Available() const {
    const CommandWindow* command = CommandWindowOf(window());
    return command != nullptr && command->properties.enabledField() &&
           IsWindowEnabled(window()) != FALSE;
  }
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT)
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
  return AnswerWithAccessible(new CommandAccessible(window), wParam);
}

}  // namespace command_shell
