#pragma once

#include <functional>
#include <optional>
#include <string>

// Qt aborts when it finds no display to open its windows on. This looks
// before the application object exists and says what is wrong instead.
// `environment` reads a variable (null when unset); `program` is the name to
// show in the suggested command line. Returns the message for the user, or
// nothing when a display platform is available.
std::optional<std::string>
missingDisplayMessage(const std::function<const char*(const char*)>& environment,
                      const std::string& program);

// Whether an X server answers at `display`; true where the program is built without the X
// protocol library, leaving it to Qt to find out.
bool xDisplayAnswers(const char* display);
