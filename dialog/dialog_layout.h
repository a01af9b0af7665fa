#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "mirebora_version.h"

// The settings dialog's controls as data: kind, parent, place and size in pixels, text and look,
// and tab order. Places inside the panel are relative to the panel.

inline constexpr int kDialogClientWidth = 495;
inline constexpr int kDialogClientHeight = 246;

// The labels' and captions' font: face, size in points and the Shift-JIS character set.
inline constexpr char kDialogFontFace[] = "ＭＳ Ｐゴシック";
inline constexpr double kDialogFontPoints = 9.75;
inline constexpr int kShiftJisCharset = 128;

// The panel's background colour under the texture, and the texture's size.
inline constexpr std::uint32_t kPanelBackgroundRgb = 0xE0E0E0;
inline constexpr int kPanelTextureWidth = 556;
inline constexpr int kPanelTextureHeight = 20;
inline constexpr int kRadioImageSize = 12;

// The credit line, and the link under it that shows and opens the user guide installed beside
// the program (its path is known only when the dialog opens). A long path is shortened in the
// middle on screen so that the link stops short of the Set button.
inline constexpr char kCreditLine[] = "Designed by " MIREBORA_PUBLISHER "  Ver." MIREBORA_VERSION;
inline constexpr int kWebLinkMaxWidth = 296;

// The control identifiers, clear of those the system gives the combo box's parts; the three
// choices carry their music kind (the control index) as the offset from the first.
enum DialogControl : int {
  kPanel = 2001,         // Pic_C
  kBgmFrame,             // Shape3 (index 3)
  kBgmCaption,           // lbl (index 15)
  kChoiceImage0 = 2010,  // Img_BGM (index 0, 1, 2)
  kChoiceLabel0 = 2020,  // lbl_BGM (index 0, 1, 2)
  kRepeatTrack = 2030,   // BGM_Repeat
  kRepeatLabel,          // lbl (index 14)
  kFileButton,           // Cmd_File
  kFileName,             // lbl_Fname
  kCredit,               // lbl (index 7)
  kWebLink,              // lbl_URL
  kSetButton,            // Cmd_Set
  kCancelButton,         // Cmd_Can
};

enum class ControlKind : std::uint8_t {
  Panel,          // picture panel with the tiled texture
  Frame,          // rectangle outline
  Label,          // transparent text
  ChoiceImage,    // clickable radio image
  ChoiceLabel,    // clickable transparent text
  RepeatCombo,    // editable combo box with a drop-down list
  CommandButton,  // the Command button control
  LinkLabel,      // clickable underlined text with the link cursor
};

enum class ControlParent : std::uint8_t { Form, Panel };

enum class TextAlign : std::uint8_t { Left, Centre };

// A width or height of kFitsText is taken from the text in the dialog's font.
inline constexpr int kFitsText = -1;
inline constexpr int kNoTabStop = 0;
// The three music choices share one place in the tab order: they are one stop, and the focus
// arrives on the selected one.
inline constexpr int kChoicesTabOrder = 2;

struct ControlLayout {
  int id;
  ControlKind kind;
  ControlParent parent;
  int left, top, width, height;
  const char* text;  // UTF-8; nullptr for none
  bool whiteText;    // else black
  TextAlign align;
  bool multiline;
  int tabOrder;  // 1 first; kNoTabStop for controls that take no focus
};

// The combo box is as high as its edit field; its list drops below.
inline constexpr int kRepeatComboHeight = 20;

inline constexpr std::array<ControlLayout, 17> kDialogLayout{{
    {kPanel, ControlKind::Panel, ControlParent::Form, 12, 16, 469, 165, nullptr, false,
     TextAlign::Left, false, 1},
    {kBgmFrame, ControlKind::Frame, ControlParent::Panel, 20, 20, 113, 21, nullptr, false,
     TextAlign::Left, false, kNoTabStop},
    {kBgmCaption, ControlKind::Label, ControlParent::Panel, 20, 24, 111, 13, "BGM", false,
     TextAlign::Centre, false, kNoTabStop},
    {kChoiceImage0 + 1, ControlKind::ChoiceImage, ControlParent::Panel, 28, 56, 13, 13, nullptr,
     false, TextAlign::Left, false, kNoTabStop},
    {kChoiceLabel0 + 1, ControlKind::ChoiceLabel, ControlParent::Panel, 44, 56, kFitsText,
     kFitsText, "音楽CD", false, TextAlign::Left, false, kChoicesTabOrder},
    {kRepeatTrack, ControlKind::RepeatCombo, ControlParent::Panel, 112, 52, 41, kRepeatComboHeight,
     nullptr, false, TextAlign::Left, false, 3},
    {kRepeatLabel, ControlKind::Label, ControlParent::Panel, 156, 56, kFitsText, kFitsText,
     "曲目をﾘﾋﾟｰﾄ", false, TextAlign::Left, false, kNoTabStop},
    {kChoiceImage0 + 0, ControlKind::ChoiceImage, ControlParent::Panel, 28, 76, 13, 13, nullptr,
     false, TextAlign::Left, false, kNoTabStop},
    {kChoiceLabel0 + 0, ControlKind::ChoiceLabel, ControlParent::Panel, 44, 76, kFitsText,
     kFitsText, "なし", false, TextAlign::Left, false, kChoicesTabOrder},
    {kChoiceImage0 + 2, ControlKind::ChoiceImage, ControlParent::Panel, 28, 96, 13, 13, nullptr,
     false, TextAlign::Left, false, kNoTabStop},
    {kChoiceLabel0 + 2, ControlKind::ChoiceLabel, ControlParent::Panel, 44, 96, kFitsText,
     kFitsText, "MP3、WAV", false, TextAlign::Left, false, kChoicesTabOrder},
    {kFileButton, ControlKind::CommandButton, ControlParent::Panel, 112, 92, 41, 21, "...", false,
     TextAlign::Centre, false, 4},
    {kFileName, ControlKind::Label, ControlParent::Panel, 44, 116, 409, 33, nullptr, false,
     TextAlign::Left, true, kNoTabStop},
    {kCredit, ControlKind::Label, ControlParent::Form, 12, 192, kFitsText, kFitsText, kCreditLine,
     true, TextAlign::Left, false, kNoTabStop},
    {kWebLink, ControlKind::LinkLabel, ControlParent::Form, 12, 208, kFitsText, kFitsText, nullptr,
     true, TextAlign::Left, false, 5},
    {kSetButton, ControlKind::CommandButton, ControlParent::Form, 316, 200, 81, 25, "設定", false,
     TextAlign::Centre, false, 6},
    {kCancelButton, ControlKind::CommandButton, ControlParent::Form, 400, 200, 81, 25, "ｷｬﾝｾﾙ",
     false, TextAlign::Centre, false, 7},
}};

// The identifiers of the controls that take the focus, in tab order; controls that share a place
// in table order.
std::vector<int> DialogTabOrder();

// The layout row of a control; nullptr for an unknown identifier.
const ControlLayout* FindControl(int id);
