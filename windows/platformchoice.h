#pragma once

#include <functional>
#include <optional>
#include <string>

// Which of Qt's platforms the program asks for where the player has named none.
//
// On a compositor that leaves title bars to its clients, as GNOME's does, Qt draws its own. Its
// plain one offers minimise and maximise on every window, fixed ones too; only a decoration made
// for GNOME (Qt 6.8's "adwaita") offers what GNOME itself would, the close button alone. Where
// Qt has no such decoration and Xwayland is there, the program goes to X11: GNOME then draws the
// title bars itself, with just the buttons each window allows, centres the splash and keeps it
// and the result window off the task list.
//
// `environment` reads a variable (null when unset); `gnomeDecoration` says whether Qt has a
// decoration for GNOME; `xAnswers` whether an X server answers at a display. Returns the
// platform to ask for, or nothing to leave the choice to Qt.
std::optional<std::string>
preferredPlatform(const std::function<const char*(const char*)>& environment, bool gnomeDecoration,
                  const std::function<bool(const char*)>& xAnswers);

// Whether Qt's Wayland platform has a decoration for GNOME to draw with.
bool hasGnomeDecoration();
