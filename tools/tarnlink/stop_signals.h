#ifndef TARNLINK_TOOL_STOP_SIGNALS_H
#define TARNLINK_TOOL_STOP_SIGNALS_H

#include <memory>

namespace TarnLinkTool {

// Catches Ctrl+C, SIGINT and SIGTERM from its construction on, so that a
// signal that comes before Wait is not lost. Kept apart from the rest of the
// tool because the system headers behind it redefine common names on Windows.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Returns once one of the signals has arrived.
    void Wait();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace TarnLinkTool

#endif
