#pragma once

#include <windows.h>

#include <string>

// The settings dialog's light-weight child windows.
//
// A piece is a transparent label or a picture: it draws its container's retained background
// under itself (asked for with kPieceBackgroundMessage), then its text or image on top. Pieces
// tell their container of presses through WM_COMMAND: kPieceMouseDown for a press of any mouse
// button, kPieceClicked for a left press released over the piece. A piece given the keyboard focus
// shows the dotted focus mark around itself. BM_CLICK does what a left click does (both
// notifications). A pressable piece (the link) is a push button to the keyboard: it answers
// WM_GETDLGCODE as one, and Space (on its release) presses it as a left click does. The panel is
// a container with a retained picture of its own; it passes its pieces' and controls' WM_COMMAND
// on to the dialog.
//
// To screen readers (WM_GETOBJECT, OBJID_CLIENT) a piece is what its look's role says: static
// text or a picture, a radio button whose checked state the container sets with
// kPieceSetCheckedMessage and whose default action "check" clicks it, a link whose default
// action "jump" clicks it, or a read-only field whose value is its text. Text, choices and links
// are named by their text, pictures and fields by the label the look gives them.

inline constexpr wchar_t kPieceClassName[] = L"Mirebora.DialogPiece";
inline constexpr wchar_t kPanelClassName[] = L"Mirebora.DialogPanel";

// Sent by a piece to its container: wParam the piece's HDC, lParam the piece's window. The
// container copies its background under the piece into the DC and returns 1.
inline constexpr UINT kPieceBackgroundMessage = WM_APP + 0x5001;
// Sent to a picture piece: wParam the HBITMAP to show (kept by the caller). Repaints the piece.
inline constexpr UINT kPieceSetImageMessage = WM_APP + 0x5002;
// Sent to a picture piece: wParam and lParam the width and height to show the image at.
inline constexpr UINT kPieceSetImageSizeMessage = WM_APP + 0x5003;
// Sent to a choice piece: wParam TRUE when it is the chosen one.
inline constexpr UINT kPieceSetCheckedMessage = WM_APP + 0x5004;
// A piece takes a new font (kept by the caller) with WM_SETFONT; the panel's picture follows the
// panel's size, to be drawn into again after a resize.

// WM_COMMAND notification codes of pieces.
inline constexpr WORD kPieceMouseDown = 0x0101;
inline constexpr WORD kPieceClicked = 0x0102;

// What a piece is to a screen reader.
enum class PieceRole { Text, Picture, Choice, Link, Field };

// How a piece looks; passed as the creation parameter and copied. Font, image and cursor stay
// owned by the caller and must outlive the piece.
struct PieceLook {
  HFONT font = nullptr;
  COLORREF textColour = RGB(0, 0, 0);
  bool centred = false;
  bool multiline = false;
  bool pathEllipsis = false;  // a one-line path too long for the piece loses its middle
  bool pressable = false;     // pressed with the keyboard as a push button
  HBITMAP image = nullptr;    // a picture piece when set at creation or later
  int imageWidth = 0;         // the size the image is shown at; 0: its own size
  int imageHeight = 0;
  HCURSOR cursor = nullptr;  // the pointer over the piece; the class arrow when null
  PieceRole role = PieceRole::Text;
  std::wstring accessibleName;  // a picture's or field's name: the label beside it
};

// Registers the piece and panel classes for `instance`. True when both are registered.
bool RegisterDialogPieceClasses(HINSTANCE instance);

// A container's retained background: a bitmap of the container's client size that painting
// copies to the screen, and pieces copy from.
struct RetainedPicture {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ original = nullptr;
  int width = 0, height = 0;

  // A fresh picture of that size, compatible with `window`'s screen. False when GDI refuses.
  bool Resize(HWND window, int newWidth, int newHeight);
  void Release();
  // Copies the part under `piece` (a child of `container`) into `target`.
  void CopyUnder(HWND container, HWND piece, HDC target) const;
  // Shows the part of the picture that `dc`'s paint covers.
  void Show(HDC dc, const RECT& area) const;
};

// The panel's retained picture, to be drawn into before the panel is shown; nullptr when
// `panel` is not a panel window.
RetainedPicture* PanelPicture(HWND panel);
