#include "TerminalFonts.h"

#include <QtGlobal>
#include <fontconfig/fontconfig.h>

namespace {

// Rendering as Debian's defaults give it (anti-aliased, slight hinting, the
// default LCD filter); the generic families and any family not installed
// fall to Liberation first, DejaVu second.
constexpr char configuration[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <match target="pattern">
    <edit name="antialias" mode="append"><bool>true</bool></edit>
    <edit name="hintstyle" mode="append"><const>hintslight</const></edit>
    <edit name="lcdfilter" mode="append"><const>lcddefault</const></edit>
  </match>
  <match target="pattern">
    <test qual="all" name="family" compare="not_eq"><string>sans-serif</string></test>
    <test qual="all" name="family" compare="not_eq"><string>serif</string></test>
    <test qual="all" name="family" compare="not_eq"><string>monospace</string></test>
    <edit name="family" mode="append_last"><string>sans-serif</string></edit>
  </match>
  <alias><family>sans-serif</family>
    <prefer><family>Liberation Sans</family><family>DejaVu Sans</family></prefer></alias>
  <alias><family>serif</family>
    <prefer><family>Liberation Serif</family><family>DejaVu Serif</family></prefer></alias>
  <alias><family>monospace</family>
    <prefer><family>Liberation Mono</family><family>DejaVu Sans Mono</family></prefer></alias>
</fontconfig>
)";

bool hasFamily(FcConfig* config, const char* family)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace

namespace TerminalFonts {

bool narrow()
{
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        return false;
    FcConfig* config = FcConfigCreate();
    if (!config)
        return false;
    // Once current, the configuration stays for the life of the program.
    if (FcConfigParseAndLoadFromMemory(
            config, reinterpret_cast<const FcChar8*>(configuration), FcFalse)
        && FcConfigBuildFonts(config) && hasFamily(config, "Liberation Sans")
        && hasFamily(config, "Liberation Sans Narrow") && FcConfigSetCurrent(config))
        return true;
    FcConfigDestroy(config);
    return false;
}

} // namespace TerminalFonts
