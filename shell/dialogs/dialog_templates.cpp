#include "shell/dialogs/dialog_templates.h"

#include <array>

namespace {

constexpr std::uint32_t shown = ws::visible;
constexpr std::uint32_t tabbed = ws::visible | ws::tabStop;
constexpr std::uint32_t groupStart = ws::visible | ws::group | ws::tabStop;

// The panel sits in the main window without a caption; the picture's frame
// lies just around the 288 x 140 pages drawn at pixel (13, 12).
constexpr std::array<ControlTemplate, 4> startPanelControls{{
    {ControlKind::DefaultPushButton, item::newGame, "New Game", 126, 109, 46, 14, tabbed},
    {ControlKind::PushButton, item::practice, "Practice", 73, 109, 46, 14, tabbed},
    {ControlKind::PushButton, item::exitGame, "Exit", 7, 109, 40, 14, tabbed},
    {ControlKind::BlackFrame, item::pagePicture, "", 7, 7, 166, 95, shown},
}};

constexpr std::array<ControlTemplate, 3> nameEntryControls{{
    {ControlKind::StaticText, noControlId,
     "Congratulations!  You have made the top 5.  Please enter your name.", 7, 7, 136, 16, shown},
    {ControlKind::Edit, item::nameEdit, "", 7, 30, 89, 14, tabbed},
    {ControlKind::DefaultPushButton, idOk, "OK", 103, 30, 40, 14, tabbed},
}};

constexpr std::array<ControlTemplate, 7> clearBest5Controls{{
    {ControlKind::DefaultPushButton, idOk, "OK", 64, 86, 50, 14, groupStart},
    {ControlKind::PushButton, idCancel, "Cancel", 7, 86, 50, 14, groupStart},
    {ControlKind::RadioButton, item::clearAll, "Clear All", 14, 21, 68, 10, groupStart},
    {ControlKind::RadioButton, item::clearEasy, "Clear \"Easy\"", 14, 35, 78, 10, shown},
    {ControlKind::RadioButton, item::clearNormal, "Clear \"Normal\"", 14, 49, 73, 10, shown},
    {ControlKind::RadioButton, item::clearHard, "Clear \"Hard\"", 14, 63, 87, 10, shown},
    {ControlKind::GroupBox, noControlId, "", 7, 7, 107, 72, shown},
}};

constexpr std::array<ControlTemplate, 2> aboutControls{{
    {ControlKind::DefaultPushButton, idOk, "OK", 122, 109, 50, 14, tabbed},
    {ControlKind::StaticText, noControlId, "Version : 2.5", 7, 109, 42, 8, shown},
}};

// Created hidden: the panel shows itself once it is centred.
constexpr DialogTemplate startPanel{
    ws::child | ds::modalFrame | ds::setFont, "", 179, 130, dialogPointSize, startPanelControls};
// No system menu, hence no close box: only OK leaves it.
constexpr DialogTemplate nameEntry{ws::popup | ws::caption | ds::modalFrame | ds::setFont,
                                   "VARNISK",
                                   150,
                                   51,
                                   dialogPointSize,
                                   nameEntryControls};
constexpr DialogTemplate clearBest5{ws::popup | ws::caption | ws::sysMenu | ds::modalFrame |
                                        ds::setFont,
                                    "Clear Best5",
                                    121,
                                    107,
                                    dialogPointSize,
                                    clearBest5Controls};
constexpr DialogTemplate about{ws::popup | ws::caption | ws::sysMenu | ds::modalFrame | ds::setFont,
                               "About VARNISK",
                               179,
                               129,
                               dialogPointSize,
                               aboutControls};

} // namespace

const DialogTemplate& StartPanelTemplate() {
    return startPanel;
}
const DialogTemplate& NameEntryTemplate() {
    return nameEntry;
}
const DialogTemplate& ClearBest5Template() {
    return clearBest5;
}
const DialogTemplate& AboutTemplate() {
    return about;
}
