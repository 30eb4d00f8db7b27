#pragma once

#include <array>
#include <string_view>

// Every key of the settings file, in one table. Code names keys through these
// constants, never through scattered string literals.
namespace settings {

inline constexpr const char *kVorlenSection = "Vorlen Setting";
inline constexpr const char *kAmbrelSection = "Ambrel Setting";

enum class Key {
    ResetEngineValue,
    PurgelValue,
    SystemCheckValue,
    NewWindowOpenValue,
    FadeEffectValue,
    AlwaysShowWebBrowserPlusToolValue,
    KeyflintValue,
    VitrelUseValue,
    VitrelValue,
    AmbrelUseValue,
    GestraValue,
    RestoriaValue,
    PanovelValue,
    LastWindowMode,
    LastWindowTop,
    LastWindowLeft,
    LastWindowHeight,
    LastWindowWidth,
    StartPageUseValue,
    StartPageAdressValue,
    SessionRestoreValue,
    ThemeName,
    AskUseBooleanValue,
    DefaultZoomValue,
    TabFreezeSecondsValue,
    TabDiscardSecondsValue,
};

struct KeyInfo
{
    Key key;
    const char *section;
    const char *name;
    const char *meaning;
};

inline constexpr std::array<KeyInfo, 26> kKeys{{
    {Key::ResetEngineValue, kVorlenSection, "ResetEngineValue", "1: the first tab shows the loading page at start"},
    {Key::PurgelValue, kVorlenSection, "PurgelValue", "1: trim the working set after every handled event"},
    {Key::SystemCheckValue, kVorlenSection, "SystemCheckValue", "1: the system state icon shows firewall and connection"},
    {Key::NewWindowOpenValue, kVorlenSection, "NewWindowOpenValue", "0: new windows open as tabs; 1: ask first"},
    {Key::FadeEffectValue, kVorlenSection, "FadeEffectValue", "1: fade effects and blend transitions"},
    {Key::AlwaysShowWebBrowserPlusToolValue, kVorlenSection, "AlwaysShowWebBrowserPlusToolValue", "1: the extra tool box stays shown"},
    {Key::KeyflintValue, kVorlenSection, "KeyflintValue", "1: hotkeys are active"},
    {Key::VitrelUseValue, kVorlenSection, "VitrelUseValue", "1: window transparency is applied"},
    {Key::VitrelValue, kVorlenSection, "VitrelValue", "transparency alpha, 0 or 100 to 255"},
    {Key::AmbrelUseValue, kVorlenSection, "AmbrelUseValue", "1: the selected theme pack is applied"},
    {Key::GestraValue, kVorlenSection, "GestraValue", "1: edge gestures act on tabs; 0: on history and window"},
    {Key::RestoriaValue, kVorlenSection, "RestoriaValue", "0: no recovery; 1: ask; 2: recover without asking"},
    {Key::PanovelValue, kVorlenSection, "PanovelValue", "1: the wide view is available"},
    {Key::LastWindowMode, kVorlenSection, "LastWindowMode", "window state at the last exit"},
    {Key::LastWindowTop, kVorlenSection, "LastWindowTop", "window top at the last exit, twips"},
    {Key::LastWindowLeft, kVorlenSection, "LastWindowLeft", "window left at the last exit, twips"},
    {Key::LastWindowHeight, kVorlenSection, "LastWindowHeight", "window height at the last exit, twips"},
    {Key::LastWindowWidth, kVorlenSection, "LastWindowWidth", "window width at the last exit, twips"},
    {Key::StartPageUseValue, kVorlenSection, "StartPageUseValue", "1: the new-tab page's home link uses StartPageAdressValue"},
    {Key::StartPageAdressValue, kVorlenSection, "StartPageAdressValue", "home link address of the new-tab page"},
    {Key::SessionRestoreValue, kVorlenSection, "SessionRestoreValue", "0: no session restore; 1: all tabs after an abnormal end; 2: all tabs at every start"},
    {Key::ThemeName, kAmbrelSection, "ThemeName", "folder name of the selected theme pack"},
    {Key::AskUseBooleanValue, kAmbrelSection, "AskUseBooleanValue", "1: ask before activating the pack at start"},
    {Key::DefaultZoomValue, kVorlenSection, "DefaultZoomValue", "page zoom in percent (25 to 500) for sites without their own; 0 or missing: 100"},
    {Key::TabFreezeSecondsValue, kVorlenSection, "TabFreezeSecondsValue", "seconds a background tab stays hidden before it is frozen; 0: never; missing or not a number: 300"},
    {Key::TabDiscardSecondsValue, kVorlenSection, "TabDiscardSecondsValue", "seconds a background tab stays hidden before it is discarded; 0: never; missing or not a number: 1800"},
}};

constexpr const KeyInfo &info(Key key)
{
    return kKeys[static_cast<std::size_t>(key)];
}

} // namespace settings
