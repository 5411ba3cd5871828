#pragma once

// The terminal draws every control in the Liberation faces, the metric twins
// of its design's Windows fonts. Before the application starts, the font
// lookup can be narrowed to those faces and DejaVu (for the scripts that
// Liberation lacks): a Qt program reads the machine's whole font
// configuration and lists every installed face before it draws its first
// text, which on a PC with many fonts is the largest part of its start.
namespace TerminalFonts {

// Makes the narrowed font configuration the current one; call it before the
// QApplication is made. It changes nothing, and returns false, when the
// environment names a configuration (FONTCONFIG_FILE: the machine's own is
// /etc/fonts/fonts.conf) or when the Liberation faces are not installed.
bool narrow();

} // namespace TerminalFonts
