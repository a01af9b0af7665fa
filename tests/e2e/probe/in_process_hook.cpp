// e2e-in-process-hook.dll: brings notifications that point into a program's memory into that
// program's process, as the system does: the probe hooks the program's thread with it and posts
// the hook's message; inside that thread the hook sends the notification with data that lives in
// the program's own memory, then signals the probe that it is done. Two notifications: the
// display state (WM_POWERBROADCAST with a display-state setting) and a change of the display's
// density (WM_DPICHANGED with the window rectangle the system suggests). And one question a
// screen reader asks: what a control's accessible object says, read where the system's
// accessibility layer cannot carry the object to another process (Wine's), which writes the
// answer where the probe reads it.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// GUID_CONSOLE_DISPLAY_STATE {6FE69556-704A-47A0-8F24-C28D936FDA47}.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

}  // namespace

// The message the probe posts for the display state (wParam: 0 off, 1 on, 2 dimmed).
extern "C" __declspec(dllexport) const wchar_t kDisplayStateMessage[] = L"MireboraE2eDisplayState";

namespace {

void SignalDone() {
  HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"MireboraE2eHookDone");
  if (done != nullptr) {
    SetEvent(done);
    CloseHandle(done);
  }
}

// What the system suggests for a window whose display changes to `dotsPerInch`: the client area
// scaled from the screen's density, each side rounded to the nearest pixel, in a frame of the
// window's style, at the window's place.
RECT SuggestedRectangle(HWND window, int dotsPerInch) {
  HDC screen = GetDC(nullptr);
  const int from = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  RECT frame{}, client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  const auto scaled = [&](LONG length) { return (length * dotsPerInch + from / 2) / from; };
  RECT suggested{0, 0, scaled(client.right), scaled(client.bottom)};
  AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  OffsetRect(&suggested, frame.left - suggested.left, frame.top - suggested.top);
  return suggested;
}

}  // namespace

// The message the probe posts for a density change (wParam: the new dots per inch).
extern "C" __declspec(dllexport) const wchar_t kDensityChangeMessage[] =
    L"MireboraE2eDensityChange";

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DensityChangeHook(int code, WPARAM removed, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  static const UINT kMessage = RegisterWindowMessageW(kDensityChangeMessage);
  if (code == HC_ACTION && removed == PM_REMOVE && message->message == kMessage) {
    const int dotsPerInch = static_cast<int>(message->wParam);
    const RECT suggested = SuggestedRectangle(message->hwnd, dotsPerInch);
    SendMessageW(message->hwnd, WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                 reinterpret_cast<LPARAM>(&suggested));
    message->message = WM_NULL;
    SignalDone();
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DisplayStateHook(int code, WPARAM removed, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  static const UINT kMessage = RegisterWindowMessageW(kDisplayStateMessage);
  if (code == HC_ACTION && removed == PM_REMOVE && message->message == kMessage) {
    // POWERBROADCAST_SETTING with one DWORD of data.
    struct {
      GUID PowerSetting;
      DWORD DataLength;
      DWORD Data;
    } setting{kConsoleDisplayState, sizeof(DWORD), static_cast<DWORD>(message->wParam)};
    SendMessageW(message->hwnd, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 reinterpret_cast<LPARAM>(&setting));
    message->message = WM_NULL;
    SignalDone();
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

namespace {

// A control of `top` by identifier, at any depth; 0 asks for the window with the focus.
HWND FindControl(HWND top, int id) {
  if (id == 0) return GetFocus();
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      top,
      [](HWND child, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != search->id) return TRUE;
        search->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring RoleName(long role) {
  switch (role) {
    case ROLE_SYSTEM_PUSHBUTTON:
      return L"pushbutton";
    case ROLE_SYSTEM_RADIOBUTTON:
      return L"radiobutton";
    case ROLE_SYSTEM_LINK:
      return L"link";
    case ROLE_SYSTEM_TEXT:
      return L"text";
    case ROLE_SYSTEM_STATICTEXT:
      return L"statictext";
    case ROLE_SYSTEM_COMBOBOX:
      return L"combobox";
    case ROLE_SYSTEM_GRAPHIC:
      return L"graphic";
    default:
      return std::to_wstring(role);
  }
}

std::wstring StateNames(long state) {
  static const struct {
    long flag;
    const wchar_t* name;
  } kStates[] = {{STATE_SYSTEM_FOCUSABLE, L"focusable"},     {STATE_SYSTEM_FOCUSED, L"focused"},
                 {STATE_SYSTEM_CHECKED, L"checked"},         {STATE_SYSTEM_PRESSED, L"pressed"},
                 {STATE_SYSTEM_UNAVAILABLE, L"unavailable"}, {STATE_SYSTEM_READONLY, L"readonly"},
                 {STATE_SYSTEM_LINKED, L"linked"},           {STATE_SYSTEM_EXPANDED, L"expanded"},
                 {STATE_SYSTEM_COLLAPSED, L"collapsed"}};
  std::wstring names;
  for (const auto& known : kStates) {
    if ((state & known.flag) == 0) continue;
    if (!names.empty()) names += L',';
    names += known.name;
  }
  return names;
}

// A text the object gives through `get`, or "-".
template <typename Get>
std::wstring Text(Get get) {
  BSTR text = nullptr;
  const HRESULT result = get(&text);
  std::wstring out = SUCCEEDED(result) && text != nullptr ? std::wstring(text) : L"-";
  if (text != nullptr) SysFreeString(text);
  return out;
}

// One line per fact of the control's object: role, name, value, state, default action (and with
// `act`, what doing that action answered); "object=0" when the control gives none.
std::wstring DescribeAccessible(HWND control, bool act) {
  if (control == nullptr) return L"control=0\n";
  const LRESULT answer =
      SendMessageW(control, WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<LONG>(OBJID_CLIENT)));
  IAccessible* accessible = nullptr;
  if (answer <= 0 || FAILED(ObjectFromLresult(answer, __uuidof(IAccessible), 0,
                                              reinterpret_cast<void**>(&accessible)))) {
    return L"object=0\n";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role{}, state{};
  std::wstring out = L"object=1\n";
  out +=
      L"role=" +
      (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4 ? RoleName(role.lVal)
                                                                           : std::wstring(L"-")) +
      L"\n";
  out += L"name=" + Text([&](BSTR* name) { return accessible->get_accName(self, name); }) + L"\n";
  out +=
      L"value=" + Text([&](BSTR* value) { return accessible->get_accValue(self, value); }) + L"\n";
  out += L"state=" +
         (SUCCEEDED(accessible->get_accState(self, &state)) && state.vt == VT_I4
              ? StateNames(state.lVal)
              : std::wstring(L"-")) +
         L"\n";
  out += L"action=" +
         Text([&](BSTR* action) { return accessible->get_accDefaultAction(self, action); }) + L"\n";
  if (act) {
    out += L"done=" + std::to_wstring(accessible->accDoDefaultAction(self) == S_OK ? 1 : 0) + L"\n";
  }
  accessible->Release();
  return out;
}

}  // namespace

// The message the probe posts for an accessible object (wParam: the control's identifier, 0 for
// the focused window; lParam: 1 to do its default action too). The answer goes into the probe's
// shared memory named by kAccessibleAnswer, as UTF-16 with a terminating NUL.
extern "C" __declspec(dllexport) const wchar_t kAccessibleMessage[] = L"MireboraE2eAccessible";
extern "C" __declspec(dllexport) const wchar_t kAccessibleAnswer[] = L"MireboraE2eAccessibleAnswer";
extern "C" __declspec(dllexport) const DWORD kAccessibleAnswerBytes = 65536;

extern "C" __declspec(dllexport) LRESULT CALLBACK
    AccessibleHook(int code, WPARAM removed, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  static const UINT kMessage = RegisterWindowMessageW(kAccessibleMessage);
  if (code == HC_ACTION && removed == PM_REMOVE && message->message == kMessage) {
    const std::wstring answer = DescribeAccessible(
        FindControl(message->hwnd, static_cast<int>(message->wParam)), message->lParam == 1);
    HANDLE shared = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kAccessibleAnswer);
    void* view = shared != nullptr
                     ? MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, kAccessibleAnswerBytes)
                     : nullptr;
    if (view != nullptr) {
      const size_t chars =
          std::min<size_t>(answer.size(), kAccessibleAnswerBytes / sizeof(wchar_t) - 1);
      std::memcpy(view, answer.data(), chars * sizeof(wchar_t));
      static_cast<wchar_t*>(view)[chars] = L'\0';
      UnmapViewOfFile(view);
    }
    if (shared != nullptr) CloseHandle(shared);
    message->message = WM_NULL;
    SignalDone();
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}
