#pragma once

// Window classes and command ids of the program's windows. Tests that drive the program from
// another process use them too (the menu cannot be read from outside under Wine).
namespace quillory::ids {

inline constexpr char kMainWindowClass[] = "TForm1";
inline constexpr char kAboutBoxClass[] = "TAboutBox";
inline constexpr char kRecordBoxClass[] = "TRecordBox";

// Menu commands.
inline constexpr int kMenuAbout = 100;
inline constexpr int kMenuPlay = 101;
inline constexpr int kMenuStop = 102;
inline constexpr int kMenuRemoveVoice = 103;
inline constexpr int kMenuAttachWav = 104;
inline constexpr int kMenuUndoChange = 105;
inline constexpr int kMenuRestoreDefault = 106;
inline constexpr int kMenuSaveText = 107;
inline constexpr int kMenuRecord = 108;
inline constexpr int kMenuRestoreVoice = 120;
inline constexpr int kMenuRunGame = 109;
inline constexpr int kMenuOpenFolder = 110;
inline constexpr int kMenuRemoveCustom = 111;

// Child controls of the main window.
inline constexpr int kTextes = 1000;
inline constexpr int kBitBtn1 = 1001;
inline constexpr int kNouveauTexte = 1002;
inline constexpr int kButton1 = 1003;
inline constexpr int kReloadBtn = 1005;
inline constexpr int kWavBtn = 1006;
inline constexpr int kDeleteFilesBtn = 1007;
inline constexpr int kSpeedButton1 = 1010;
inline constexpr int kProgress = 1011;
inline constexpr int kTypePhrase = 1020;
inline constexpr int kLabel1 = 1021;
inline constexpr int kLabel2 = 1022;
inline constexpr int kLabel3 = 1023;

// Child controls of the About box.
inline constexpr int kOKButton = 1;  // IDOK: Enter presses it

// Child controls of the recording box.
inline constexpr int kRecordText = 1100;
inline constexpr int kVoiceNote = 1101;
inline constexpr int kMeter = 1102;
inline constexpr int kTakeLength = 1103;
inline constexpr int kRecordButton = 1104;
inline constexpr int kPlayButton = 1105;
inline constexpr int kKeepButton = 1106;
inline constexpr int kCancelButton = 2;  // IDCANCEL: Esc presses it
inline constexpr int kTrim = 1107;
inline constexpr int kWave = 1108;
inline constexpr int kEven = 1109;
inline constexpr int kKeepNextButton = 1110;
inline constexpr int kNextButton = 1111;
inline constexpr int kTakeNote = 1112;
inline constexpr int kStopNote = 1113;
inline constexpr int kPeakLevel = 1114;

}  // namespace quillory::ids
