#include "platformchoice.h"

#include <QDir>
#include <QLibraryInfo>
#include <ranges>
#include <string_view>

namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// XDG_CURRENT_DESKTOP is a list ("ubuntu:GNOME"); Qt looks for "GNOME" in it as a whole name.
bool onGnome(const char* desktops) {
    if (!isSet(desktops))
        return false;
    for (const auto desktop : std::string_view(desktops) | std::views::split(':')) {
        if (std::string_view(desktop.begin(), desktop.end()) == "GNOME")
            return true;
    }
    return false;
}

} // namespace

std::optional<std::string>
preferredPlatform(const std::function<const char*(const char*)>& environment, bool gnomeDecoration,
                  const std::function<bool(const char*)>& xAnswers) {
    // A platform or a decoration the player named, and a compositor that handed over its
    // connection, are kept.
    if (isSet(environment("QT_QPA_PLATFORM")) || isSet(environment("QT_WAYLAND_DECORATION")) ||
        isSet(environment("WAYLAND_SOCKET")))
        return std::nullopt;
    const char* display = environment("DISPLAY");
    if (gnomeDecoration || !isSet(environment("WAYLAND_DISPLAY")) ||
        !onGnome(environment("XDG_CURRENT_DESKTOP")) || !isSet(display) || !xAnswers(display))
        return std::nullopt;
    return "xcb";
}

bool hasGnomeDecoration() {
    // Where Qt looks for them, under the names Qt gives them ("adwaita", and "gnome" in Qt's
    // later releases).
    const QDir decorations(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QLatin1String("/wayland-decoration-client"));
    return !decorations
                .entryList({QStringLiteral("*adwaita*"), QStringLiteral("*gnome*")}, QDir::Files)
                .isEmpty();
}
