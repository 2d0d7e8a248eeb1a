#include "invariantchecker.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace kestrava::test {

namespace {
constexpr int faultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

const std::array<float, 10> edgeFractions{
    0.0f,
    1.0f - 0x1.0p-24f, // the largest fraction: just below "Z"'s upper end
    0.5f,              // 12.5: a tie, to the even 12
    0.02f,             // just above 0.5: the first "B"
    0.98f,             // just below 24.5: the last "Y"
    0.1f,              // 2.5000000373: no tie, so up
    0.9f,              // 22.4999994: down
    1.0f / 50,         // 0.5 as near as a single gets
    49.0f / 50,        // 24.5 as near as a single gets
    0x1.0p-24f,        // the smallest fraction above 0
};

std::string mismatch(const std::string& what, long got, long want) {
    return what + " is " + std::to_string(got) + ", expected " + std::to_string(want);
}

std::string mismatch(const std::string& what, const std::string& got, const std::string& want) {
    return what + " is \"" + got + "\", expected \"" + want + "\"";
}

// n x 0.05 written from integers, so that it has no rounding of its own.
std::string clockTextFor(long ticks, const std::string& separator) {
    const long hundredths = ticks * 5;
    const long cents = hundredths % 100;
    return std::to_string(hundredths / 100) + separator + (cents < 10 ? "0" : "") +
           std::to_string(cents);
}

// A float text as the result window shows it: digits and at most one separator.
std::optional<double> readFloatText(const std::string& text, const std::string& separator) {
    std::string plain;
    bool separatorSeen = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, separator.size(), separator) == 0 && !separatorSeen) {
            plain += '.';
            separatorSeen = true;
            i += separator.size();
        } else if (text[i] >= '0' && text[i] <= '9') {
            plain += text[i++];
        } else {
            return std::nullopt;
        }
    }
    double value = 0;
    const auto* end = plain.data() + plain.size();
    const auto result = std::from_chars(plain.data(), end, value, std::chars_format::fixed);
    if (plain.empty() || plain.back() == '.' || result.ec != std::errc{} || result.ptr != end)
        return std::nullopt;
    return value;
}

// Checks a shown figure against its exact value: rounding to a single, to
// four decimals and to seven significant digits may each move it a little.
std::string checkFigure(const char* what, const std::string& text, float stored, double exact,
                        const std::string& separator) {
    const double tolerance = 0.00005 + 1e-6 * exact;
    const auto shown = readFloatText(text, separator);
    if (!shown)
        return std::string(what) + " text \"" + text + "\" is no float text";
    if (std::abs(*shown - exact) > tolerance)
        return std::string(what) + " shows " + text + ", expected about " + std::to_string(exact);
    if (std::abs(static_cast<double>(stored) - exact) > tolerance)
        return std::string(what) + " stored as " + std::to_string(stored) + ", expected about " +
               std::to_string(exact);
    return {};
}
} // namespace

void EdgeRandom::reseed(int seed) {
    m_next = static_cast<std::size_t>(seed) % edgeFractions.size();
}

float EdgeRandom::nextFraction() {
    const float f = edgeFractions[m_next];
    m_next = (m_next + 3) % edgeFractions.size();
    return f;
}

InvariantChecker::InvariantChecker(const DrillScript::Setup& setup)
    : m_separator(setup.separator)
    , m_harness(setup.separator, setup.edgeFractions ? &m_edgeRandom : nullptr) {}

std::string InvariantChecker::apply(const DrillEvent& event) {
    std::feclearexcept(FE_ALL_EXCEPT);
    deliver(event);
    ++m_events;
    std::string broken;
    if (std::fetestexcept(faultFlags) != 0)
        broken = "a floating-point fault flag is left set";
    else
        broken = check();
    if (broken.empty())
        return broken;
    return "event " + std::to_string(m_events) + " (" + describe(event) + "): " + broken;
}

void InvariantChecker::deliver(const DrillEvent& event) {
    using Kind = DrillEvent::Kind;
    DrillEngine& engine = m_harness.engine;
    switch (event.kind) {
    case Kind::Key:
        typeKey(event.value);
        break;
    case Kind::Hit: {
        const char letter = m_cursor < 20 && m_row[m_cursor] != 0 ? m_row[m_cursor] : 'A';
        typeKey(static_cast<std::int16_t>(event.value ? letter + 32 : letter));
        break;
    }
    case Kind::TN20:
    case Kind::TN60:
    case Kind::TN100:
        if (m_phase == Phase::Running) {
            m_phase = Phase::Abandoned;
            ++m_tally.abandoned;
        }
        m_target = event.kind == Kind::TN20 ? 20 : event.kind == Kind::TN60 ? 60 : 100;
        if (event.kind == Kind::TN20)
            engine.TN20_Click();
        else if (event.kind == Kind::TN60)
            engine.TN60_Click();
        else
            engine.TN100_Click();
        break;
    case Kind::Tick: {
        const FakeForm1& form = m_harness.form;
        const int interval = event.value == 1   ? form.timer1
                             : event.value == 2 ? form.timer2
                                                : form.timer3;
        if (interval != 0)
            tick(event.value);
        break;
    }
    case Kind::StrayTick:
        tick(event.value);
        break;
    case Kind::CloseReport:
        if (m_reportOpen)
            ++m_tally.reportsClosed;
        m_reportOpen = false;
        m_harness.report.close();
        break;
    case Kind::SetSeconds:
        m_harness.seconds = event.value;
        break;
    }
}

void InvariantChecker::typeKey(std::int16_t code) {
    DrillEngine& engine = m_harness.engine;
    if (m_phase != Phase::Running) {
        engine.Form_KeyPress(code);
        if (code != ' ')
            return; // only Space does anything while waiting
        m_phase = Phase::Running;
        m_drillTarget = m_target;
        m_hits = m_misses = m_cursor = m_framed = 0;
        m_clockTicks = 0;
        m_remainText = std::to_string(m_drillTarget);
        m_missText = m_clockText = "0";
        rememberRow();
        return;
    }

    const int folded = code >= 97 && code <= 127 ? code - 32 : code;
    m_lastKey = static_cast<std::int16_t>(folded);
    if (folded >= 'A' && folded <= 'Z')
        m_flash[folded - 'A'] = 5;
    const bool hit = m_row[m_cursor] != 0 && m_row[m_cursor] == folded;
    engine.Form_KeyPress(code);
    if (!hit) {
        ++m_misses;
        ++m_tally.misses;
        m_missText = std::to_string(m_misses);
        m_framed = m_cursor;
        return;
    }

    ++m_hits;
    ++m_tally.hits;
    ++m_cursor;
    const int remaining = m_drillTarget - m_hits;
    m_remainText = std::to_string(remaining);
    if (remaining == 0) {
        m_phase = Phase::Finished;
        ++m_tally.finished;
        if (m_clockTicks == 0)
            ++m_tally.finishedBeforeFirstTick;
        if (!m_reportOpen)
            ++m_reportsMade;
        m_reportOpen = true;
        return; // the cursor box stays where it was
    }
    if (m_cursor == 20) {
        m_cursor = 0;
        ++m_tally.refills;
        rememberRow();
    }
    m_framed = m_cursor;
}

void InvariantChecker::tick(int timer) {
    DrillEngine& engine = m_harness.engine;
    if (timer == 1) {
        for (int& flash : m_flash) {
            if (flash > 0)
                --flash;
        }
        engine.Timer1_Timer();
    } else if (timer == 2) {
        // The clock counts whenever keys remain, even from a tick that a
        // stopped timer could not have sent.
        if (m_phase != Phase::BeforeFirstDrill && m_drillTarget - m_hits != 0) {
            ++m_clockTicks;
            m_clockText = clockTextFor(m_clockTicks, m_separator);
            if (m_phase != Phase::Running)
                ++m_tally.strayClockTicksCounted;
        }
        engine.Timer2_Timer();
    } else {
        m_startEnabled = !m_startEnabled;
        engine.Timer3_Timer();
    }
}

void InvariantChecker::rememberRow() {
    // The letters are random: the account takes them from the window at the
    // moments a row may be drawn, and at no other moment may they change.
    for (int i = 0; i < 20; ++i) {
        const std::string& caption = m_harness.form.que[i].caption;
        m_row[i] = caption.size() == 1 ? caption[0] : '\0';
    }
}

std::string InvariantChecker::check() const {
    for (const auto part :
         {&InvariantChecker::checkState, &InvariantChecker::checkKeys, &InvariantChecker::checkRow,
          &InvariantChecker::checkLabels, &InvariantChecker::checkReport}) {
        std::string broken = (this->*part)();
        if (!broken.empty())
            return broken;
    }
    return {};
}

std::string InvariantChecker::checkState() const {
    const DrillState& s = m_harness.engine.state();
    const FakeForm1& form = m_harness.form;
    const bool running = m_phase == Phase::Running;
    const bool started = m_phase != Phase::BeforeFirstDrill;

    if (s.CursorPos < 0 || s.CursorPos > 20)
        return "CursorPos " + std::to_string(s.CursorPos) + " is outside 0..20";
    if (s.LineLength != (started ? 20 : 0))
        return mismatch("LineLength", s.LineLength, started ? 20 : 0);
    if (s.PickedLetter < 0 || s.PickedLetter > 25)
        return "PickedLetter " + std::to_string(s.PickedLetter) + " is outside 0..25";
    const std::int16_t* flash = s.KeyFlash.data();
    const int* flashWanted = m_flash.data();
    for (int k = 0; k < 26; ++k) {
        if (flash[k] < 0 || flash[k] > 5)
            return "KeyFlash(" + std::to_string(k) + ") " + std::to_string(flash[k]) +
                   " is outside 0..5";
        if (flash[k] != flashWanted[k])
            return mismatch("KeyFlash(" + std::to_string(k) + ")", flash[k], flashWanted[k]);
    }
    if (flash[26] != 0)
        return mismatch("KeyFlash(26)", flash[26], 0);
    if (s.LetterRange != 25 || s.AccuracyWeight != 1000 || s.SpeedWeight != 1000)
        return "LetterRange or a weight changed";
    if (s.TargetCount != m_target)
        return mismatch("TargetCount", s.TargetCount, m_target);
    if (s.WaitingForStart == running)
        return running ? "waiting during a drill" : "a drill runs while waiting";

    const int remaining = started ? m_drillTarget - m_hits : 0;
    if (s.Remaining < 0 || s.Remaining > (started ? m_drillTarget : 0))
        return "Remaining " + std::to_string(s.Remaining) + " is outside 0.." +
               std::to_string(m_drillTarget);
    if (running && (s.Remaining == 0 || s.Remaining > s.TargetCount))
        return "Remaining " + std::to_string(s.Remaining) + " in a running drill of " +
               std::to_string(s.TargetCount);
    if (s.Remaining != remaining)
        return mismatch("Remaining", s.Remaining, remaining);
    if (s.MissCount != m_misses)
        return mismatch("MissCount", s.MissCount, m_misses);
    if (started && s.CursorPos != m_cursor)
        return mismatch("CursorPos", s.CursorPos, m_cursor);
    if (s.LastKey != m_lastKey)
        return mismatch("LastKey", s.LastKey, m_lastKey);

    if (form.qFrameVisible != running)
        return running ? "QFrame hidden during a drill" : "QFrame shown while waiting";
    if (form.startLabelVisible == running)
        return running ? "StartLabel shown during a drill" : "StartLabel hidden while waiting";
    const bool flashing = std::any_of(m_flash.begin(), m_flash.end(), [](int f) { return f > 0; });
    if (form.timer1 != (flashing ? 50 : 0))
        return mismatch("Timer1 interval", form.timer1, flashing ? 50 : 0);
    if (form.timer2 != (running ? 15 : 0))
        return mismatch("Timer2 interval", form.timer2, running ? 15 : 0);
    if (form.timer3 != (running ? 0 : 500))
        return mismatch("Timer3 interval", form.timer3, running ? 0 : 500);
    if (form.startEnabled != m_startEnabled)
        return "StartLabel's enabled flag missed a blink";
    return {};
}

std::string InvariantChecker::checkKeys() const {
    const FakeForm1& form = m_harness.form;
    int highlighted = 0;
    int highlightedKey = -1;
    const Form1Screen::Key* keys = form.key.data();
    const int* flash = m_flash.data();
    for (int k = 0; k < 26; ++k) {
        const Form1Screen::Key& key = keys[k];
        if (key.borderStyle != (flash[k] > 0 ? 1 : 0))
            return "key " + std::string(1, static_cast<char>('A' + k)) + " has border " +
                   std::to_string(key.borderStyle) + " with KeyFlash " + std::to_string(flash[k]);
        if (key.backColor == colours::nextKey) {
            ++highlighted;
            highlightedKey = k;
        } else if (key.backColor != colours::lightGreen) {
            return "key " + std::string(1, static_cast<char>('A' + k)) + " has colour " +
                   std::to_string(key.backColor);
        }
    }
    const bool oneWanted = m_phase == Phase::Running || m_phase == Phase::Abandoned;
    if (highlighted != (oneWanted ? 1 : 0))
        return mismatch("number of highlighted keys", highlighted, oneWanted ? 1 : 0);
    if (oneWanted && highlightedKey != m_row[m_cursor] - 'A')
        return "the highlight is on " + std::string(1, static_cast<char>('A' + highlightedKey)) +
               ", the next letter is " + std::string(1, m_row[m_cursor]);
    return {};
}

std::string InvariantChecker::checkRow() const {
    const FakeForm1& form = m_harness.form;
    if (m_phase == Phase::BeforeFirstDrill) {
        for (const auto& q : form.que) {
            if (!q.caption.empty() || q.foreColor != colours::lightGreen)
                return "a question label changed before the first drill";
        }
        return {};
    }
    // Raw pointers: this runs after every event, and a debug build would
    // otherwise spend most of its time in the containers' accessors.
    const Form1Screen::Que* que = form.que.data();
    const char* row = m_row.data();
    for (int i = 0; i < 20; ++i) {
        const std::string& caption = que[i].caption;
        const char letter = caption.size() == 1 ? *caption.data() : '\0';
        if (letter < 'A' || letter > 'Z')
            return "Que(" + std::to_string(i) + ") caption \"" + caption +
                   "\" is not one capital letter";
        if (letter != row[i])
            return "Que(" + std::to_string(i) + ") changed from " + std::string(1, row[i]) +
                   " to " + caption + " outside a new row";
        const Colour want = i < m_cursor ? colours::olive : colours::lightGreen;
        if (que[i].foreColor != want)
            return mismatch("Que(" + std::to_string(i) + ") ForeColor", que[i].foreColor, want);
    }
    const auto& framed = form.que[m_framed];
    if (form.cursorLeft != framed.left - 25 || form.cursorTop != framed.top - 25)
        return "the cursor box is not on Que(" + std::to_string(m_framed) + ")";
    return {};
}

std::string InvariantChecker::checkLabels() const {
    const FakeForm1& form = m_harness.form;
    if (form.remainLabel != m_remainText)
        return mismatch("RemainLabel", form.remainLabel, m_remainText);
    if (form.missLabel != m_missText)
        return mismatch("MissLabel", form.missLabel, m_missText);
    if (form.timeLabel != m_clockText)
        return mismatch("the clock text", form.timeLabel, m_clockText);
    return {};
}

std::string InvariantChecker::checkReport() const {
    const FakeKSReport& report = m_harness.report;
    if (report.exists != m_reportOpen)
        return m_reportOpen ? "the result window is missing" : "a result window is open";
    if (report.created != m_reportsMade)
        return mismatch("result windows made", report.created, m_reportsMade);
    if (report.shown != m_tally.finished)
        return mismatch("result windows shown", report.shown, m_tally.finished);
    if (!m_reportOpen)
        return {};

    // The open window shows the drill that finished last; a drill may have
    // started since, but its counters do not reach the window.
    const bool finishedLast = m_phase == Phase::Finished;
    if (!finishedLast)
        return {};
    if (report.tn != std::to_string(m_drillTarget))
        return mismatch("KSReport TNLabel", report.tn, std::to_string(m_drillTarget));
    if (report.miss != m_missText)
        return mismatch("KSReport MissLabel", report.miss, m_missText);
    if (report.time != m_clockText)
        return mismatch("KSReport TimeLabel", report.time, m_clockText);

    const DrillState& s = m_harness.engine.state();
    const double exactity = 100.0 * m_drillTarget / (m_drillTarget + m_misses);
    if (auto broken = checkFigure("exactness", report.exactity, s.Exactity, exactity, m_separator);
        !broken.empty())
        return broken;
    if (m_clockTicks == 0) {
        if (report.speed != "-" || report.eval != "-")
            return "a drill without clock ticks shows a speed or a rating";
        return {};
    }
    const double speed = 20.0 * m_drillTarget / static_cast<double>(m_clockTicks);
    if (auto broken = checkFigure("speed", report.speed, s.Speed, speed, m_separator);
        !broken.empty())
        return broken;
    const double score = (exactity - (100 - exactity)) * 1000 + 1000 * speed;
    if (std::abs(s.Score - score) > 1.0)
        return "Score " + std::to_string(s.Score) + ", expected about " + std::to_string(score);
    for (const char* word : {"Great", "Good", "Better", "Ok", "Bad", "DAME"}) {
        if (report.eval == word)
            return {};
    }
    return "the rating \"" + report.eval + "\" is no rating word";
}

} // namespace kestrava::test
