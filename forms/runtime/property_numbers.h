#pragma once
// The runtime's property numbers: what `get_property` and `set_property`
// take and what a live unit's `get` and `set` receive. Numbers 0-7 are common
// to every unit that shows; a type's own start at 8. A menu item has its own
// four.
namespace vel::prop {

// --- every unit -----------------------------------------------------------------
inline constexpr int kLeft = 0;
inline constexpr int kTop = 1;
inline constexpr int kWidth = 2;
inline constexpr int kHeight = 3;
inline constexpr int kTag = 4;
inline constexpr int kVisible = 5;
inline constexpr int kDisabled = 6;
inline constexpr int kPointer = 7;
inline constexpr int kFirstOwn = 8;  // the first of a type's own

// --- menu item ------------------------------------------------------------------
inline constexpr int kMenuCaption = 0;
inline constexpr int kMenuChecked = 1;
inline constexpr int kMenuDisabled = 2;
inline constexpr int kMenuVisible = 3;

// --- window ---------------------------------------------------------------------
inline constexpr int kWindowTitle = 8;
inline constexpr int kWindowBorder = 9;
inline constexpr int kWindowBackColour = 10;
inline constexpr int kWindowPicture = 11;
inline constexpr int kWindowPictureMode = 12;
inline constexpr int kWindowMusic = 13;
inline constexpr int kWindowMusicPlayCount = 14;
inline constexpr int kWindowControlBox = 15;
inline constexpr int kWindowMaxButton = 16;
inline constexpr int kWindowMinButton = 17;
inline constexpr int kWindowStartPosition = 18;
inline constexpr int kWindowMovable = 19;
inline constexpr int kWindowIcon = 20;
inline constexpr int kWindowEnterMovesFocus = 21;
inline constexpr int kWindowEscCloses = 22;
inline constexpr int kWindowF1OpensHelp = 23;
inline constexpr int kWindowHelpFile = 24;
inline constexpr int kWindowHelpContext = 25;
inline constexpr int kWindowShowInTaskbar = 26;
inline constexpr int kWindowFreeMove = 27;
inline constexpr int kWindowShape = 28;
inline constexpr int kWindowAlwaysOnTop = 29;
inline constexpr int kWindowKeepTitleActive = 30;
inline constexpr int kWindowClassName = 31;

// --- drawing panel --------------------------------------------------------------
inline constexpr int kPanelBorder = 8;
inline constexpr int kPanelBackColour = 9;
inline constexpr int kPanelPicture = 10;
inline constexpr int kPanelPictureMode = 11;
inline constexpr int kPanelAutoRedraw = 12;
inline constexpr int kPanelDrawStyle = 13;
inline constexpr int kPanelPenType = 14;
inline constexpr int kPanelDrawMode = 15;
inline constexpr int kPanelPenWidth = 16;
inline constexpr int kPanelPenColour = 17;
inline constexpr int kPanelBrushType = 18;
inline constexpr int kPanelBrushColour = 19;
inline constexpr int kPanelTextColour = 20;
inline constexpr int kPanelTextBackColour = 21;
inline constexpr int kPanelFont = 22;

// --- edit box -------------------------------------------------------------------
inline constexpr int kEditContent = 8;
inline constexpr int kEditBorder = 9;
inline constexpr int kEditTextColour = 10;
inline constexpr int kEditBackColour = 11;
inline constexpr int kEditFont = 12;
inline constexpr int kEditHideSelection = 13;
inline constexpr int kEditMaxLength = 14;  // bytes; 0 = unlimited
inline constexpr int kEditMultiLine = 15;
inline constexpr int kEditScrollBars = 16;
inline constexpr int kEditAlignment = 17;
inline constexpr int kEditInputMode = 18;
inline constexpr int kEditPasswordChar = 19;
inline constexpr int kEditSelectionStart = 24;
inline constexpr int kEditSelectionLength = 25;
inline constexpr int kEditDataSource = 27;
inline constexpr int kEditDataColumn = 28;

// --- label, button ----------------------------------------------------------------
inline constexpr int kLabelCaption = 8;
inline constexpr int kButtonCaption = 10;

// --- combo box, list box ----------------------------------------------------------
inline constexpr int kComboBoxType = 8;
inline constexpr int kComboContent = 9;
inline constexpr int kComboSelection = 19;
inline constexpr int kComboItems = 20;
inline constexpr int kListSelection = 16;
inline constexpr int kListItems = 20;

// --- common dialog --------------------------------------------------------------
inline constexpr int kDialogType = 8;  // 0 open, 1 save, 2 font, 3 help
inline constexpr int kDialogTitle = 9;
inline constexpr int kDialogFileName = 10;
inline constexpr int kDialogFilter = 11;
inline constexpr int kDialogFilterIndex = 12;
inline constexpr int kDialogInitialDirectory = 13;
inline constexpr int kDialogDefaultExtension = 14;

// --- timer ----------------------------------------------------------------------
inline constexpr int kTimerInterval = 8;

}  // namespace vel::prop
