#include "drillharness.h"

#include <sstream>
#include <stdexcept>

namespace kestrava::test {

std::vector<std::string> DrillHarness::steps(std::string_view text) {
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string token; in >> token;) {
        const auto star = token.find('*');
        out.insert(out.end(), star == std::string::npos ? 1 : std::stoi(token.substr(star + 1)),
                   token.substr(0, star));
    }
    return out;
}

std::optional<int> DrillHarness::keyOf(const std::string& step) const {
    if (step.size() == 1 || step[0] == '#')
        return step.size() == 1 ? step[0] : std::stoi(step.substr(1));
    if (step == "space" || step.ends_with("hit"))
        return step == "space" ? ' ' : expected() + (step == "smallhit" ? 32 : 0);
    return std::nullopt;
}

void DrillHarness::step(const std::string& step) {
    if (const auto code = keyOf(step))
        key(*code);
    else if (step == "menu20" || step == "menu60" || step == "menu100")
        step == "menu20" ? engine.TN20_Click()
                         : (step == "menu60" ? engine.TN60_Click() : engine.TN100_Click());
    else if (step == "flash" && form.timer1 != 0)
        engine.Timer1_Timer();
    else if ((step == "clock" && form.timer2 != 0) || step == "stray")
        engine.Timer2_Timer();
    else if (step == "blink" && form.timer3 != 0)
        engine.Timer3_Timer();
    else if (step == "close")
        report.close();
    else if (step.starts_with("sec"))
        seconds = std::stoi(step.substr(3));
    else if (step.starts_with("draw"))
        random.fractions.push_back(std::stof(step.substr(4)));
    else if (step != "flash" && step != "clock" && step != "blink")
        throw std::invalid_argument("no such step: " + step);
}

} // namespace kestrava::test
