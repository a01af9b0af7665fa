#pragma once

#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>

// What a screen reader learns of one control window, written out by hand rather than left to the
// system's proxies (which are missing from some systems, and which name a control only by its own
// text or a plain static label before it). The object has no children: a control answers
// WM_GETOBJECT (OBJID_CLIENT) with one made for it:
//
//   case WM_GETOBJECT:
//     if (static_cast<LONG>(lParam) == OBJID_CLIENT)
//       return AnswerWithAccessible(new MyControlAccessible(window), wParam);
//
// Each answer looks at the window again, so an object a client keeps after the control is gone
// answers RPC_E_DISCONNECTED. Making the answer needs COM on the control's thread.
class WindowAccessible : public IAccessible {
 public:
  explicit WindowAccessible(HWND window) : window_(window) {}
  virtual ~WindowAccessible() = default;
  WindowAccessible(const WindowAccessible&) = delete;
  WindowAccessible& operator=(const WindowAccessible&) = delete;

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: no type information; clients call the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  HWND window() const { return window_; }
  // Whether the window is still the control this object speaks for.
  virtual bool Connected() const { return IsWindow(window_) != FALSE; }
  virtual long Role() const = 0;
  // The window's text unless the control is named otherwise.
  virtual std::wstring Name() const;
  virtual std::optional<std::wstring> Value() const { return std::nullopt; }
  // Focusable for a tab stop, focused while it has the focus, unavailable while disabled.
  virtual long State() const;
  virtual std::optional<std::wstring> DefaultAction() const { return std::nullopt; }
  // Called only when DefaultAction() has one.
  virtual HRESULT DoDefaultAction() { return DISP_E_MEMBERNOTFOUND; }
  // Whether the focus is in the control (its own window, or a window the control is made of).
  virtual bool HasFocus() const { return GetFocus() == window_; }

 private:
  // S_OK when the control is still there and `child` names it.
  HRESULT Check(const VARIANT& child) const;

  HWND window_;
  LONG references_ = 1;
};

// `accessible` (just made, holding one reference) made into WM_GETOBJECT's answer; that
// reference is dropped, so the object lives as long as the client holds it.
LRESULT AnswerWithAccessible(WindowAccessible* accessible, WPARAM wParam);

// A window's text.
std::wstring AccessibleWindowText(HWND window);
