// Names of the pictures, masks, icon and sound built into brisbolt.exe
// (see brisbolt.rc). Skins and the logo are gzip-compressed BMP files
// (RCDATA), glyphs and bar pieces BITMAP resources, masks and the click sound
// RCDATA, the tray icon an ICON.
#pragma once

namespace brisbolt::resources {

inline constexpr const char* SkinWizard = "SKIN_WIZARD";
inline constexpr const char* SkinAutomatic = "SKIN_AUTOMATIC";
inline constexpr const char* SkinAdvanced = "SKIN_ADVANCED";
inline constexpr const char* SkinApply = "SKIN_APPLY";
inline constexpr const char* SkinAbout = "SKIN_ABOUT";

// Stored outlines: a 4-byte count N, then N bytes of RGNDATA.
inline constexpr const char* MaskWizard = "MASK_WIZARD";
inline constexpr const char* MaskAutomatic = "MASK_AUTOMATIC";
inline constexpr const char* MaskAdvanced = "MASK_ADVANCED";
inline constexpr const char* MaskApply = "MASK_APPLY";
inline constexpr const char* MaskAbout = "MASK_ABOUT";

inline constexpr const char* Logo = "LOGO";
// 15 x 15 on white; white is see-through.
inline constexpr const char* GlyphHide = "GLYPH_HIDE";
inline constexpr const char* GlyphClose = "GLYPH_CLOSE";
// The apply window's red bar: 25 x 7 segments and the 36 x 7 right cap.
inline constexpr const char* BarSegment = "BAR_SEGMENT";
inline constexpr const char* BarCap = "BAR_CAP";

inline constexpr const char* TrayIcon = "TRAY_ICON";
// A whole RIFF WAVE file, played from memory.
inline constexpr const char* TickWav = "TICK_WAV";

}  // namespace brisbolt::resources
