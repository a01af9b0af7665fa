// The Command button's accessible object: what a screen reader learns of the button through
// WM_GETOBJECT (OBJID_CLIENT). The object is the control's own, written out by hand: a push
// button named by its caption, with its focused, pressed and unavailable states, and "press" as
// its default action, which raises Click as BM_CLICK does.
#include <oleacc.h>

#include <string>

#include "controls/win32/command_window_data.h"

namespace command_shell {

namespace {

constexpr wchar_t kDefaultAction[] = L"press";

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT NoText(BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  return S_FALSE;
}

HRESULT Number(long value, VARIANT* out) {
  if (out == nullptr) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

HRESULT Nothing(VARIANT* out) {
  if (out == nullptr) return E_POINTER;
  VariantInit(out);
  return S_FALSE;
}

// Holds the button's window only: every answer looks the button up again, so that an object a
// client keeps after the button is gone answers that it is no longer connected.
class CommandAccessible final : public IAccessible {
 public:
  explicit CommandAccessible(HWND window) : window_(window) {}

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
        IsEqualIID(riid, __uuidof(IAccessible))) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: no type information; clients call the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child == nullptr) return E_POINTER;
    *child = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    const int length = GetWindowTextLengthW(window_);
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    caption.resize(static_cast<size_t>(GetWindowTextW(window_, caption.data(), length + 1)));
    return Text(caption, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    return NoText(value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    return NoText(description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    return Number(ROLE_SYSTEM_PUSHBUTTON, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    const CommandWindow* command = CommandWindowOf(window_);
    long flags = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window_) flags |= STATE_SYSTEM_FOCUSED;
    if (command->behaviour.mouseIsDown() || command->behaviour.spaceIsDown()) {
      flags |= STATE_SYSTEM_PRESSED;
    }
    if (!Available()) flags |= STATE_SYSTEM_UNAVAILABLE;
    return Number(flags, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    return NoText(help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    if (topic != nullptr) *topic = 0;
    return NoText(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    return NoText(shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (CommandWindowOf(window_) == nullptr) return RPC_E_DISCONNECTED;
    return GetFocus() == window_ ? Number(CHILDID_SELF, focus) : Nothing(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return Nothing(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    return Text(kDefaultAction, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    RECT box{};
    GetWindowRect(window_, &box);
    *left = box.left;
    *top = box.top;
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT start, VARIANT* end) override {
    if (const HRESULT fault = Check(start); fault != S_OK) return fault;
    return Nothing(end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (CommandWindowOf(window_) == nullptr) return RPC_E_DISCONNECTED;
    RECT box{};
    GetWindowRect(window_, &box);
    const POINT point{x, y};
    return PtInRect(&box, point) ? Number(CHILDID_SELF, hit) : Nothing(hit);
  }
  // The Click is posted, as BM_CLICK: the client's call returns before the container acts on it.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (const HRESULT fault = Check(child); fault != S_OK) return fault;
    if (!Available()) return E_FAIL;
    return PostMessageW(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // S_OK when the button is still there and `child` names it.
  HRESULT Check(const VARIANT& child) const {
    if (CommandWindowOf(window_) == nullptr) return RPC_E_DISCONNECTED;
    return IsSelf(child) ? S_OK : E_INVALIDARG;
  }
  bool Available() const {
    const CommandWindow* command = CommandWindowOf(window_);
    return command != nullptr && command->properties.enabledField() &&
           IsWindowEnabled(window_) != FALSE;
  }

  HWND window_;
  LONG references_ = 1;
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT)
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
  auto* accessible = new CommandAccessible(window);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, accessible);
  accessible->Release();
  return result;
}

}  // namespace command_shell
