#include "controls/win32/window_accessible.h"

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const std::optional<std::wstring>& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  if (!text) {
    *out = nullptr;
    return S_FALSE;
  }
  *out = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
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

}  // namespace

std::wstring AccessibleWindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

HRESULT WindowAccessible::QueryInterface(REFIID riid, void** out) {
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

ULONG WindowAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG WindowAccessible::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT WindowAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

// The parent is the system's object for the control's window, which leads on up the tree; none
// where the system has no such object.
HRESULT WindowAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (!Connected()) return RPC_E_DISCONNECTED;
  const HRESULT result =
      AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                 reinterpret_cast<void**>(parent));
  if (FAILED(result)) *parent = nullptr;
  return *parent != nullptr ? S_OK : S_FALSE;
}

HRESULT WindowAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT WindowAccessible::get_accChild(VARIANT, IDispatch** child) {
  if (child == nullptr) return E_POINTER;
  *child = nullptr;
  return E_INVALIDARG;
}

HRESULT WindowAccessible::get_accName(VARIANT child, BSTR* name) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Text(Name(), name);
}

HRESULT WindowAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Text(Value(), value);
}

HRESULT WindowAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Text(std::nullopt, description);
}

HRESULT WindowAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Number(Role(), role);
}

HRESULT WindowAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Number(State(), state);
}

HRESULT WindowAccessible::get_accHelp(VARIANT child, BSTR* help) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Text(std::nullopt, help);
}

HRESULT WindowAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  if (topic != nullptr) *topic = 0;
  return Text(std::nullopt, file);
}

HRESULT WindowAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Text(std::nullopt, shortcut);
}

HRESULT WindowAccessible::get_accFocus(VARIANT* focus) {
  if (!Connected()) return RPC_E_DISCONNECTED;
  return HasFocus() ? Number(CHILDID_SELF, focus) : Nothing(focus);
}

HRESULT WindowAccessible::get_accSelection(VARIANT* selection) { return Nothing(selection); }

HRESULT WindowAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  return Text(DefaultAction(), action);
}

HRESULT WindowAccessible::accLocation(long* left, long* top, long* width, long* height,
                                      VARIANT child) {
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

HRESULT WindowAccessible::accNavigate(long, VARIANT start, VARIANT* end) {
  if (const HRESULT fault = Check(start); fault != S_OK) return fault;
  return Nothing(end);
}

HRESULT WindowAccessible::accHitTest(long x, long y, VARIANT* hit) {
  if (!Connected()) return RPC_E_DISCONNECTED;
  RECT box{};
  GetWindowRect(window_, &box);
  const POINT point{x, y};
  return PtInRect(&box, point) ? Number(CHILDID_SELF, hit) : Nothing(hit);
}

HRESULT WindowAccessible::accDoDefaultAction(VARIANT child) {
  if (const HRESULT fault = Check(child); fault != S_OK) return fault;
  if (!DefaultAction()) return DISP_E_MEMBERNOTFOUND;
  return DoDefaultAction();
}

std::wstring WindowAccessible::Name() const { return AccessibleWindowText(window_); }

long WindowAccessible::State() const {
  long flags = 0;
  if ((GetWindowLongW(window_, GWL_STYLE) & WS_TABSTOP) != 0) flags |= STATE_SYSTEM_FOCUSABLE;
  if (HasFocus()) flags |= STATE_SYSTEM_FOCUSED;
  if (IsWindowEnabled(window_) == FALSE) flags |= STATE_SYSTEM_UNAVAILABLE;
  return flags;
}

HRESULT WindowAccessible::Check(const VARIANT& child) const {
  if (!Connected()) return RPC_E_DISCONNECTED;
  return IsSelf(child) ? S_OK : E_INVALIDARG;
}

LRESULT AnswerWithAccessible(WindowAccessible* accessible, WPARAM wParam) {
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, accessible);
  accessible->Release();
  return result;
}
