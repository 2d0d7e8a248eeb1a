#include "drillharness.h"

#include <sstream>
#include <stdexcept>

namespace kestrava::test {

void DrillHarness::play(std::string_view text) {
    std::istringstream in{std::string(text)};
    for (std::string token; in >> token;) {
        const auto star = token.find('*');
        for (int i = star == std::string::npos ? 1 : std::stoi(token.substr(star + 1)); i > 0; --i)
            step(token.substr(0, star));
    }
}

void DrillHarness::step(const std::string& step) {
    if (step.size() == 1 || step[0] == '#' || step == "space")
        key(step == "space" ? ' ' : step.size() == 1 ? step[0] : std::stoi(step.substr(1)));
    else if (step == "menu20" || step == "menu60" || step == "menu100")
        step == "menu20" ? engine.TN20_Click()
                         : (step == "menu60" ? engine.TN60_Click() : engine.TN100_Click());
    else if (step == "flash" && form.timer1 != 0)
        engine.Timer1_Timer();
    else if ((step == "clock" && form.timer2 != 0) || step == "stray")
        engine.Timer2_Timer();
    else if (step == "blink" && form.timer3 != 0)
        engine.Timer3_Timer();
    else if (step.starts_with("sec"))
        seconds = std::stoi(step.substr(3));
    else if (step.starts_with("draw"))
        random.fractions.push_back(std::stof(step.substr(4)));
    else if (step != "flash" && step != "clock" && step != "blink")
        throw std::invalid_argument("no such step: " + step);
}

} // namespace kestrava::test
